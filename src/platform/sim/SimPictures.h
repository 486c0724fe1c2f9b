#pragma once

#include <map>
#include <string>

#include "platform/IPicturePort.h"
#include "platform/sim/SimDesktop.h"
#include "platform/sim/SimFiles.h"
#include "platform/sim/SimScheduler.h"
#include "platform/sim/SimTrace.h"

namespace kestavo::sim {

// Pictures on the simulated machine: a file decodes when it is a BMP, GIF or
// JPEG that passes the header check Windows' adapter makes too and whose
// headers give its size as the decoder reads them; drawing one goes into
// the trace.
class SimPictures : public IPicturePort {
public:
    SimPictures(const SimScheduler& scheduler, SimTrace& trace, const SimFiles& files,
                SimDesktop& desktop)
        : m_scheduler(scheduler), m_trace(trace), m_files(files), m_desktop(desktop) {}

    Handle LoadPictureBitmap(const std::string& path, PictureRefusal& why) override;
    PictureSize BitmapSize(Handle bitmap) override;
    void DrawBitmap(Handle window, Handle bitmap, int x, int y) override;

private:
    const SimScheduler& m_scheduler;
    SimTrace& m_trace;
    const SimFiles& m_files;
    SimDesktop& m_desktop;
    std::map<Handle, PictureSize> m_sizes;
};

}  // namespace kestavo::sim
