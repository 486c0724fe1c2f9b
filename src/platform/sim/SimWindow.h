#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/IDialogHost.h"
#include "platform/sim/SimFiles.h"
#include "platform/sim/SimScheduler.h"
#include "platform/sim/SimTemplates.h"
#include "platform/sim/SimTrace.h"

namespace kestavo::sim {

// One item of a simulated dialog, with the state its class keeps.
struct SimItem {
    // A progress bar's position from the given time on.
    struct Position {
        std::uint64_t fromMs;
        int position;
    };

    std::string kind;
    std::string text;
    Rect rect;
    bool visible = true;
    int redraws = 0;
    Handle font = kNullHandle;
    IControlEvents* events = nullptr;
    // Progress bars.
    int position = 0;
    int lower = 0;
    int upper = 100;
    int step = 10;
    // Every position a progress bar took, in time order, for a drawing of
    // the screen at any moment.
    std::vector<Position> positions;

    int PositionAt(std::uint64_t ms) const;
};

// A simulated modal dialog: its items, place, timers and result. Timers are
// tasks of the scheduler; each tick re-arms itself as Windows' timers do.
class SimWindow : public IDialogWindow {
public:
    SimWindow(int templateId, Handle handle, const SimTemplate& layout, IDialogEvents& events,
              SimScheduler& scheduler, SimTrace& trace, const SimFiles& files);
    ~SimWindow() override;
    SimWindow(const SimWindow&) = delete;
    SimWindow& operator=(const SimWindow&) = delete;

    Handle Get() override { return m_handle; }
    void SetItemText(int itemId, const std::string& text) override;
    std::string ItemText(int itemId) override;
    Rect WindowRect() override { return m_rect; }
    Rect ClientRect() override;
    Rect ItemRect(int itemId) override;
    void Move(int x, int y, int width, int height, bool repaint) override;
    void SetWindowPosTop(int x, int y, int width, int height, unsigned flags) override;
    void ShowItem(int itemId, int showCommand) override;
    void MoveItem(int itemId, int x, int y, int width, int height) override;
    // Windows paints an invalid window when its thread next looks at its
    // queue: here, as a task due at once.
    void Invalidate() override;
    void Show(int showCommand) override;
    bool IsIconic() override { return iconic; }
    void SetTimer(int timerId, unsigned periodMs) override;
    void KillTimer(int timerId) override;
    void End(int result) override;
    // The window goes away without ending, as when its process is gone.
    void Abandon();
    std::intptr_t Send(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;
    std::intptr_t SendToItem(int itemId, unsigned message, std::uintptr_t wParam,
                             std::intptr_t lParam) override;
    void RedrawItem(int itemId, unsigned flags) override;
    void SetItemFont(int itemId, Handle font) override { Item(itemId).font = font; }
    void SubclassItem(int itemId, IControlEvents& events) override;

    int TemplateId() const { return m_templateId; }
    IDialogEvents& Events() { return m_events; }
    bool Ended() const { return m_ended; }
    int Result() const { return m_result; }
    bool Visible() const { return m_visible; }
    bool HasTimer(int timerId) const { return m_timers.count(timerId) != 0; }
    SimItem& Item(int itemId);
    std::intptr_t LastMessageParam(unsigned message) const;

    bool iconic = false;

private:
    void Trace(const std::string& what);
    void ArmTimer(int timerId, unsigned periodMs);
    std::intptr_t AnimationMessage(int itemId, unsigned message, std::intptr_t lParam);
    std::intptr_t ProgressMessage(SimItem& item, unsigned message, std::uintptr_t wParam,
                                  std::intptr_t lParam);
    static std::intptr_t ProgressRule(SimItem& item, unsigned message, std::uintptr_t wParam,
                                      std::intptr_t lParam);

    int m_templateId;
    Handle m_handle;
    IDialogEvents& m_events;
    SimScheduler& m_scheduler;
    SimTrace& m_trace;
    const SimFiles& m_files;
    Rect m_rect;
    bool m_visible = false;
    bool m_ended = false;
    int m_result = 0;
    std::map<int, SimItem> m_items;
    std::map<int, SimScheduler::TaskId> m_timers;
    std::map<unsigned, std::intptr_t> m_lastMessageParam;
    std::optional<SimScheduler::TaskId> m_paint;
};

}  // namespace kestavo::sim
