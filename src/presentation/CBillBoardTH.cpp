#include "presentation/CBillBoardTH.h"

#include "presentation/BillboardDialog.h"

namespace kestavo {

bool CBillBoardTH::InitInstance() {
    BillboardDialog dialog(m_ports);
    dialog.DoModal();
    return false;
}

}  // namespace kestavo
