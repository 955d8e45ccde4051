#include "config/traces/LasProperty.h"

#include "config/ConfigText.h"

LasProperty::LasProperty(TraceDefinitionList traceDefinitions) : m_traceDefinitions(std::move(traceDefinitions)) {}

int LasProperty::read(const std::wstring& fileName, std::wstring& errorText)
{
    return finish_read(LasData<CurveProperty>::read(fileName, errorText));
}

int LasProperty::read_bytes(std::string_view bytes, const std::wstring& name, std::wstring& errorText)
{
    return finish_read(LasData<CurveProperty>::read_bytes(bytes, name, errorText));
}

int LasProperty::finish_read(int result)
{
    for (CurveProperty& curve : curves()) {
        curve.rangeMinimum = curve.minimum();
        curve.rangeMaximum = curve.maximum();
    }
    for (CurveProperty& curve : curves())
        curve.ApplyTraceDefinition(m_traceDefinitions);
    return result;
}

TraceSetInfo::TraceSetInfo(const LasProperty& file)
    : fileName(file.file_name()), startDepth(file.start_depth()), stopDepth(file.stop_depth()), step(file.step())
{
    for (const CurveProperty& curve : file.curves()) {
        TraceSettings settings;
        settings.mnemonic = ConfigText::Widen(curve.mnemonic);
        settings.displayField = curve.displayField;
        settings.colourIndex = curve.colourIndex;
        settings.ownRange = curve.ownRange;
        settings.minimum = curve.minimum();
        settings.maximum = curve.maximum();
        settings.rangeMinimum = curve.rangeMinimum;
        settings.rangeMaximum = curve.rangeMaximum;
        settings.depthOffset = curve.depthOffset;
        settings.smoothingWindow = curve.smoothingWindow;
        settings.visible = curve.visible;
        curves.push_back(settings);
    }
}
