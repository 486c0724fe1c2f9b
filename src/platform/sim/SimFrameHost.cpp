#include "platform/sim/SimFrameHost.h"

namespace kestavo::sim {

namespace {

// The owner's hold on a frame kept by the host.
class FrameHandle : public IFrameWindow {
public:
    explicit FrameHandle(SimFrameWindow& frame) : m_frame(frame) {}
    ~FrameHandle() override { m_frame.Detach(); }
    FrameHandle(const FrameHandle&) = delete;
    FrameHandle& operator=(const FrameHandle&) = delete;

    Handle Get() override { return m_frame.Get(); }
    Rect ClientRect() override { return m_frame.ClientRect(); }
    void RemoveStyle(unsigned long style) override { m_frame.RemoveStyle(style); }
    void AddExStyle(unsigned long exStyle) override { m_frame.AddExStyle(exStyle); }
    void Show(int showCommand) override { m_frame.Show(showCommand); }
    void RemoveMenu() override { m_frame.RemoveMenu(); }
    void SetTitle(const std::string& title) override { m_frame.SetTitle(title); }
    void Update() override { m_frame.Update(); }
    void Invalidate() override { m_frame.Invalidate(); }

private:
    SimFrameWindow& m_frame;
};

}  // namespace

std::unique_ptr<IFrameWindow> SimFrameHost::CreateFrame(IFrameEvents& events) {
    m_frames.push_back(
        std::make_unique<SimFrameWindow>(m_nextHandle, events, m_scheduler, m_trace, m_desktop));
    m_nextHandle += 0x10;
    m_trace.Add(m_scheduler.Now(), "frame: create");
    return std::make_unique<FrameHandle>(*m_frames.back());
}

}  // namespace kestavo::sim
