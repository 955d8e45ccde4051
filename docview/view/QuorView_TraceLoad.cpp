// Loading LAS files for display: one worker thread per file, the completion on the window thread,
// and the trace list that the trace columns draw.
#include <algorithm>
#include <system_error>

#include <QCoreApplication>
#include <QEvent>

#include "config/Quor_Log_Config.h"
#include "core/catalogue/Messages.h"
#include "docview/commands/CommandFrame.h"
#include "docview/document/QuorDoc.h"
#include "docview/view/QuorView.h"
#include "docview/view/TraceLoadJob.h"
#include "platform/services/Services.h"

namespace {

// Message 138 carries a formatting mark after its argument ("%1!d!") that the message formatter does
// not know: the count goes in its place.
QString LoadingText(int count)
{
    std::wstring text = ORBAX_Utilities::get_message_wide(138);
    const std::wstring mark = L"%1";
    const std::size_t at = text.find(mark);
    if (at != std::wstring::npos) {
        std::size_t end = at + mark.size();
        if (end < text.size() && text[end] == L'!') {
            const std::size_t close = text.find(L'!', end + 1);
            if (close != std::wstring::npos)
                end = close + 1;
        }
        text.replace(at, end - at, std::to_wstring(count));
    }
    return QString::fromStdWString(text);
}

} // namespace

void CQuorView::StartTraceLoad(const std::wstring& fileName)
{
    auto job = std::make_shared<TraceLoadJob>();
    job->fileName = fileName;
    // The reader dresses the curves from its own copy of the trace definitions: the user may edit
    // the definitions while it runs.
    job->traceFile = std::make_unique<LasProperty>(m_tables ? m_tables->traceDefinitions : TraceDefinitionList());
    job->plotWidth = static_cast<float>(m_layout.tracePlot[0].width());
    job->scale = m_settings.scale;
    job->filtered = m_settings.showFilteredTraces;
    // The view outlives its workers (its destructor waits for them), so the worker may post to it.
    job->post = [this](std::shared_ptr<TraceLoadJob> done) {
        QMetaObject::invokeMethod(
            this, [this, done] { OnTraceLoaded(done, 1); }, Qt::QueuedConnection);
    };
    try {
        std::thread thread(TraceLoadThreadProc, job);
        m_lastWorker = thread.get_id();
        m_workers.push_back({job.get(), std::move(thread)});
    } catch (const std::exception&) {
        ORBAX_Platform::showMessage(this, ORBAX_Utilities::get_message_wide(179), ORBAX_Platform::MessageButtons::Ok,
                                    ORBAX_Platform::MessageIcon::Error);
        return;
    }
    ++m_pendingLoads;
    if (m_document)
        ++m_document->pendingTraceLoads;
    updateLoadStatus();
}

void CQuorView::updateLoadStatus()
{
    CommandFrame* frame = GetMainFrame();
    if (m_pendingLoads <= 0) {
        if (m_hasStatusMessage && frame)
            frame->RemoveStatusMessage(m_statusMessage);
        m_hasStatusMessage = false;
        return;
    }
    if (!frame)
        return;
    const QString text = LoadingText(m_pendingLoads);
    if (!m_hasStatusMessage) {
        m_statusMessage = frame->AddStatusMessage(text);
        m_hasStatusMessage = true;
    } else {
        frame->SetStatusMessageText(m_statusMessage, text);
    }
}

void CQuorView::OnTraceLoaded(std::shared_ptr<TraceLoadJob> job, int lParam)
{
    // The worker has posted its last act; its thread ends at once.
    auto worker = std::find_if(m_workers.begin(), m_workers.end(), [&](const Worker& w) { return w.job == job.get(); });
    if (worker != m_workers.end()) {
        if (worker->thread.joinable())
            worker->thread.join();
        m_workers.erase(worker);
    }
    if (lParam != 1) {
        ShowInternalError("QuorView", 1074);
        return;
    }
    try {
        if (job->resultCode != 0) {
            job->traceFile.reset();
            ORBAX_Platform::showMessage(this, job->errorText, ORBAX_Platform::MessageButtons::Ok,
                                        ORBAX_Platform::MessageIcon::Warning);
        } else if (job->traceFile) {
            AttachTrace(std::move(job->traceFile));
            RefitTraceCurves();
            update();
        }
    } catch (const std::exception& e) {
        std::wstring text;
        for (const char* p = e.what(); *p; ++p)
            text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*p)));
        ShowInternalError("QuorView", __LINE__, text);
    }
    --m_pendingLoads;
    if (m_document)
        --m_document->pendingTraceLoads;
    updateLoadStatus();
    emit selectionChanged();
}

int CQuorView::AttachTrace(std::unique_ptr<LasProperty> traceFile)
{
    LasProperty& file = *traceFile;
    m_traces.push_back(std::move(traceFile));
    // Loads prepare the curves for the display as it was when they started; only what changed since
    // is made again here.
    PrepareTraceCurves(file, static_cast<float>(m_layout.tracePlot[0].width()), m_settings.scale,
                       m_settings.showFilteredTraces);
    UpdateScrollRanges();
    SetTracesFiltered(file, m_settings.showFilteredTraces);
    return static_cast<int>(m_traces.size()) - 1;
}

void CQuorView::SetTracesFiltered(LasProperty& traceFile, bool filtered)
{
    // The drawing makes the smoothed values when it next needs them.
    for (CurveProperty& curve : traceFile.curves())
        curve.smoothing = filtered;
}

void CQuorView::SetCurveShift(double shift, int traceFile, int curve)
{
    if (traceFile < 0 || static_cast<std::size_t>(traceFile) >= m_traces.size())
        return;
    auto& curves = m_traces[static_cast<std::size_t>(traceFile)]->curves();
    if (curve < 0 || static_cast<std::size_t>(curve) >= curves.size())
        return;
    curves[static_cast<std::size_t>(curve)].depthOffset = shift;
}

void CQuorView::CloseAllTraces()
{
    m_traces.clear();
    // No trace index may outlive its trace.
    m_selectedTraceFile = -1;
    m_selectedCurve = -1;
    UpdateScrollRanges();
}

void CQuorView::WaitForTraceLoads()
{
    for (int round = 0; m_pendingLoads > 0 && round < 1000; ++round) {
        for (Worker& worker : m_workers)
            if (worker.thread.joinable())
                worker.thread.join();
        QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    }
}

void ApplyTraceSettings(CurveProperty& curve, const TraceSettings& setting)
{
    // The drawing places the rows with whatever the settings are when it draws.
    curve.colourIndex = setting.colourIndex;
    curve.displayField = setting.displayField;
    curve.ownRange = setting.ownRange;
    curve.rangeMinimum = setting.rangeMinimum;
    curve.rangeMaximum = setting.rangeMaximum;
    curve.depthOffset = setting.depthOffset;
    curve.smoothingWindow = setting.smoothingWindow;
}

void ApplyTraceSettingsToFile(LasProperty& traceFile, const std::vector<TraceSettings>& settings)
{
    auto& curves = traceFile.curves();
    const std::size_t count = std::min(curves.size(), settings.size());
    for (std::size_t i = 0; i < count; ++i)
        ApplyTraceSettings(curves[i], settings[i]);
}
