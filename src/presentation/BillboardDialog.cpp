#include "presentation/BillboardDialog.h"

#include "core/SetupFolder.h"
#include "core/TagFile.h"
#include "platform/WinConst.h"
#include "presentation/TimerPeriod.h"
#include "resources/resource.h"

namespace kestavo {

namespace {

const char kSection[] = "BILLBOARDSKV";

}  // namespace

BillboardDialog::BillboardDialog(Ports& ports)
    : Dialog(ports.dialogs, IDD_BILLBOARD), m_ports(ports), m_picture(ports) {}

// The tables hold 20 billboards; a longer list keeps its first 20.
bool BillboardDialog::OnInitDialog() {
    const TagFile tag(m_ports.system, m_ports.profile);
    const int total = tag.ReadCount(kSection);
    m_nTotal = total > kMaxBillboards ? kMaxBillboards : total;
    for (int i = 0; i < m_nTotal; ++i) {
        m_strPicture[i] = tag.Read(kSection, TagFile::ListKey('B', i), TagFile::kValueCapacity);
        m_strTime[i] = tag.Read(kSection, TagFile::ListKey('C', i), TagFile::kValueCapacity);
        m_strX[i] = tag.Read(kSection, TagFile::ListKey('D', i), TagFile::kValueCapacity);
        m_strY[i] = tag.Read(kSection, TagFile::ListKey('E', i), TagFile::kValueCapacity);
    }
    m_nCurrent = 0;
    ShowBillboard(0);
    Window().SetTimer(kNextTimer, TimeOf(0));
    return true;
}

// A time of 0 asks for a period of 0, which the system raises to its
// shortest: the next billboard follows at once.
unsigned BillboardDialog::TimeOf(int index) const {
    return SecondsToTimerMs(TagFile::AtoI(m_strTime[index]));
}

// The position is kept before the load, so a picture that fails to load
// leaves the previous one, shown at the new place.
void BillboardDialog::ShowBillboard(int index) {
    const int x = TagFile::AtoI(m_strX[index]);
    const int y = TagFile::AtoI(m_strY[index]);
    m_nX = x == 0 ? 1 : x;
    m_nY = y == 0 ? 1 : y;
    const std::string picture = SetupFolderWithSeparator(m_ports.system) + "images\\" +
                                FileNamePart(m_ports.system, m_strPicture[index]);
    if (m_picture.Load(picture)) {
        Window().Invalidate();
    }
}

void BillboardDialog::OnTimer(int timerId) {
    if (timerId != kNextTimer) {
        return;
    }
    Window().KillTimer(kNextTimer);
    ++m_nCurrent;
    if (m_nCurrent >= m_nTotal) {
        OnOK();
        return;
    }
    Window().SetTimer(kNextTimer, TimeOf(m_nCurrent));
    ShowBillboard(m_nCurrent);
}

void BillboardDialog::OnPaint(IDeviceContext&) {
    if (!m_picture.Loaded()) {
        return;
    }
    const PictureSize size = m_picture.Size();
    Window().SetWindowPosTop(m_nX, m_nY, size.width, size.height, SWP_FRAMECHANGED);
    m_picture.Draw(Window().Get(), 0, 0);
}

}  // namespace kestavo
