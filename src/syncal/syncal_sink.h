#pragma once
// What the alignment shows while it runs: the results log, the status text, and the
// state of the window's controls. The alignment window and zavtool each supply one.

#include <string>

namespace zav {

class SyncalSink {
  public:
    virtual ~SyncalSink() = default;

    // Appends one line to the results log.
    virtual void addStatusLine(const std::string& text) = 0;
    // The current phase or warning ("" clears it).
    virtual void setStatusText(const std::string& text) = 0;

    // Window controls; a sink without a window ignores them.
    virtual void clearLog() {}
    // Start hidden, log shown: a run is in progress.
    virtual void showRunControls() {}
    // Start shown, log hidden.
    virtual void showIdleControls() {}
    virtual void setStartEnabled(bool enabled) { (void)enabled; }
};

}  // namespace zav
