#pragma once
// A LAS file loaded as traces. The read may run on a worker thread while the user edits the trace
// definitions, so the object works on its own copy of them, taken when it is made on the window
// thread.
#include <memory>
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
    // Only listed traces show in the trace manager.
    bool listed = true;
};

// The summary of one loaded file: its name, depths and one settings entry per curve. A file read by
// the trace manager itself is owned by its entry until the caller takes it over.
struct TraceSetInfo {
    enum State { Loaded = 0, Added = 1, ToUnload = 2, Discarded = 3 };

    TraceSetInfo() = default;
    explicit TraceSetInfo(const LasProperty& file);

    std::wstring fileName;
    double startDepth = 0;
    double stopDepth = 0;
    double step = 0;
    std::unique_ptr<LasProperty> loadedFile;
    int state = Loaded;
    std::vector<TraceSettings> curves;
};
