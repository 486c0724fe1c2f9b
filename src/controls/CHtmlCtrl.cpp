#include "controls/CHtmlCtrl.h"

#include <cctype>

namespace kestavo {

int CHtmlCtrl::CreateOverPlaceholder(unsigned id, IDialogWindow& parent) {
    m_browser = m_browsers.CreateOverPlaceholder(parent, static_cast<int>(id), *this);
    return m_browser != nullptr ? 1 : 0;
}

void CHtmlCtrl::Navigate(const std::string& url) {
    if (m_browser != nullptr) {
        m_browser->Navigate(url);
    }
}

void CHtmlCtrl::OnBeforeNavigate2(const std::string& url, bool& cancel) {
    if (m_browser != nullptr) {
        m_browser->SetRegisterAsBrowser(true);
    }
    static const char kPrefix[] = "app:";
    if (url.size() < 4) {
        return;
    }
    for (std::size_t i = 0; i < 4; ++i) {
        if (std::tolower(static_cast<unsigned char>(url[i])) != kPrefix[i]) {
            return;
        }
    }
    OnAppCommand(url.substr(4));
    cancel = true;
}

void CHtmlCtrl::OnNewWindow2(bool& cancel) {
    cancel = true;
}

void CHtmlCtrl::OnAppCommand(const std::string&) {}

}  // namespace kestavo
