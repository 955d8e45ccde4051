#pragma once
// One LAS file being loaded for display. The window thread fills the job and hands it to a worker
// thread, which reads the file into the job's trace file, prepares the curves' points for the
// display as it was when the load started, and hands the job back through `post`. Nothing else is
// shared, so nothing is locked.
#include <functional>
#include <memory>
#include <string>

#include "config/traces/LasProperty.h"

struct TraceLoadJob {
    std::wstring fileName;
    std::wstring errorText;
    int resultCode = 0;   // 0 when the file was read
    int resultDetail = 0; // the reader's second result word
    // Made on the window thread with a copy of the trace definitions.
    std::unique_ptr<LasProperty> traceFile;

    // How the view will draw the curves: their points are computed on the worker for these values,
    // so that taking the file over on the window thread is quick.
    float plotWidth = 0;
    double scale = 0;
    bool filtered = false;

    // Hands the finished job back to the window thread; called once, as the worker's last act.
    std::function<void(std::shared_ptr<TraceLoadJob>)> post;
};

// The worker's body: reads the file, prepares the points and posts the job. Any exception becomes a
// failure carrying its text; none leaves the worker. Returns 0.
unsigned TraceLoadThreadProc(std::shared_ptr<TraceLoadJob> job);

// Prepares every curve of a read file for drawing at the width and scale, filtered or not: what its
// drawing needs is made here, on the thread that calls, so that the first paint does not wait for it.
// A curve already prepared for its filter is left as it is. Returns the number of curves.
int PrepareTraceCurves(LasProperty& file, float plotWidth, double scale, bool filtered);
