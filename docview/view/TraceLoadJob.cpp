#include "docview/view/TraceLoadJob.h"

#include <exception>
#include <new>

#include "core/catalogue/Messages.h"
#include "las/LasException.h"

namespace {

std::wstring WidenExceptionText(const char* text)
{
    // Exception texts are narrow code page 1252 (the catalogue's narrow messages): one byte, one
    // character.
    std::wstring wide;
    for (const char* p = text; p && *p; ++p)
        wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*p)));
    return wide;
}

} // namespace

int PrepareTraceCurves(LasProperty& file, float plotWidth, double scale, bool filtered)
{
    int prepared = 0;
    for (CurveProperty& curve : file.curves()) {
        curve.plotWidth = plotWidth;
        curve.depthScale = scale;
        curve.smoothing = filtered;
        // A hidden curve (the depth, for one) is prepared when it is first drawn, if ever.
        if (curve.visible)
            curve.PrepareDrawing();
        ++prepared;
    }
    return prepared;
}

unsigned TraceLoadThreadProc(std::shared_ptr<TraceLoadJob> job)
{
    try {
        job->resultCode = job->traceFile->read(job->fileName, job->errorText);
        job->resultDetail = 0;
        if (job->resultCode == 0 && job->scale > 0)
            PrepareTraceCurves(*job->traceFile, job->plotWidth, job->scale, job->filtered);
    } catch (const ORBAX_Geophysics::LasException& e) {
        job->resultCode = e.code() != 0 ? e.code() : 3;
        job->errorText = WidenExceptionText(e.what());
    } catch (const std::bad_alloc&) {
        job->resultCode = 1;
        job->errorText = ORBAX_Utilities::get_message_wide(179);
    } catch (const std::exception& e) {
        job->resultCode = 3;
        job->errorText = WidenExceptionText(e.what());
    } catch (...) {
        job->resultCode = 3;
        job->errorText = ORBAX_Utilities::get_message_wide(179);
    }
    if (job->resultCode != 0 && job->errorText.empty())
        job->errorText = ORBAX_Utilities::get_message_wide(179);
    try {
        if (job->post)
            job->post(job);
    } catch (...) {
        // The window thread is gone or cannot be reached: the job is dropped with the last reference.
    }
    return 0;
}
