#include "presentation/CSlashTH.h"

#include "core/Globals.h"
#include "presentation/SplashDialog.h"

namespace kestavo {

bool CSlashTH::InitInstance() {
    {
        SplashDialog dialog(m_ports);
        dialog.DoModal();
    }
    g_nSplashDone.store(255);
    return false;
}

}  // namespace kestavo
