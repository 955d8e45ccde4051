#pragma once
// A LAS file loaded as traces. The read may run on a worker thread while the user edits the trace
// definitions, so the object works on its own copy of them, taken when it is made on the window
// thread.
#include <string>
#include <string_view>

#include "config/TraceDefinition.h"
#include "config/traces/CurveProperty.h"
#include "las/LasData.h"

class LasProperty : public ORBAX_Geophysics::LasData<CurveProperty> {
public:
    explicit LasProperty(TraceDefinitionList traceDefinitions = {});

    // Reads the file, then, whatever the result, sets every curve's range to its data range and
    // gives it the look of its trace definition. Returns the reader's result code.
    int read(const std::wstring& fileName, std::wstring& errorText) override;
    // The same for LAS text held in memory, named `name` in messages.
    int read_bytes(std::string_view bytes, const std::wstring& name, std::wstring& errorText) override;

    const TraceDefinitionList& traceDefinitions() const { return m_traceDefinitions; }

private:
    // What follows every read: the data ranges and the trace definitions' looks.
    int finish_read(int result);

    TraceDefinitionList m_traceDefinitions;
};

// The settings of one curve that the trace manager edits.
struct TraceSettings {
    std::wstring mnemonic;
    int displayField = 0;
    int colourIndex = 0;
    bool ownRange = true;
    double minimum = 0;
    double maximum = 0;
    double rangeMinimum = 0;
    double rangeMaximum = 0;
    double depthOffset = 0;
    int smoothingWindow = 10;
    bool visible = true;
};

// The summary of one loaded file: its name, depths and one settings entry per curve.
struct TraceSetInfo {
    TraceSetInfo() = default;
    explicit TraceSetInfo(const LasProperty& file);

    std::wstring fileName;
    double startDepth = 0;
    double stopDepth = 0;
    double step = 0;
    LasProperty* loadedFile = nullptr;
    int state = 0;
    std::vector<TraceSettings> curves;
};
