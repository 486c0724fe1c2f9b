#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/IDesktopPort.h"
#include "platform/IGdiPort.h"
#include "platform/sim/SimFiles.h"
#include "platform/sim/SimScheduler.h"
#include "platform/sim/SimTrace.h"

namespace kestavo::sim {

// The simulated desktop: screen, system colours, message boxes, the shell,
// sounds (a RIFF "WAVE" file plays), and the drawing objects the program
// creates (kept to find leaks).
class SimDesktop : public IDesktopPort, public IGdiPort {
public:
    SimDesktop(const SimScheduler& scheduler, SimTrace& trace, const SimFiles& files)
        : m_scheduler(scheduler), m_trace(trace), m_files(files) {}

    int SystemMetric(int index) override;
    ColorRef SystemColor(int index) override;
    int ShowMessageBox(const std::string& text, const std::string& caption,
                       unsigned style) override;
    void ShellOpen(const std::string& file) override;
    void SetWaitCursor(bool wait) override;
    bool PlaySoundFile(const std::string& path, unsigned flags) override;
    // Keeps a drawing object made elsewhere (a decoded picture) so that it
    // counts among the live objects until deleted.
    Handle KeepObject(std::string description) { return Keep(std::move(description)); }

    Handle CreateSolidBrush(ColorRef color) override;
    Handle CreateFontFromDesc(const FontDesc& font) override;
    void DeleteObject(Handle object) override;
    FontDesc DefaultGuiFont() override;

    // What a live object is: "brush 00ffffff" or "font Tahoma 700 -11".
    std::string Describe(Handle object) const;
    std::size_t LiveObjects() const { return m_objects.size(); }

    int screenWidth = 1024;
    int screenHeight = 768;
    // The button every message box is closed with.
    int messageBoxAnswer = 1;

private:
    void Trace(const std::string& what) { m_trace.Add(m_scheduler.Now(), what); }
    Handle Keep(std::string description);

    const SimScheduler& m_scheduler;
    SimTrace& m_trace;
    const SimFiles& m_files;
    std::map<Handle, std::string> m_objects;
    Handle m_nextObject = 0x1000;
};

}  // namespace kestavo::sim
