#include "controls/CHtmlCtrl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Dialog.h"
#include "resources/resource.h"
#include "support/SimFixture.h"

namespace kestavo::test {
namespace {

// An HTML control that remembers the commands it was given.
class RecordingHtmlCtrl : public CHtmlCtrl {
public:
    using CHtmlCtrl::CHtmlCtrl;
    void OnAppCommand(const std::string& command) override { commands.push_back(command); }
    std::vector<std::string> commands;
};

class CHtmlCtrlTest : public SimFixture {
protected:
    // Creates the control over an item of an open dialog and runs `body`.
    void WithControl(int itemId, std::function<void(RecordingHtmlCtrl&, int created)> body) {
        class Host : public Dialog {
        public:
            Host(sim::SimMachine& machine, int item,
                 std::function<void(RecordingHtmlCtrl&, int)> run)
                : Dialog(machine.dialogs, IDD_SPLASH),
                  m_html(machine.browsers),
                  m_item(item),
                  m_run(std::move(run)) {}

        protected:
            bool OnInitDialog() override {
                m_run(m_html, m_html.CreateOverPlaceholder(m_item, Window()));
                EndDialog(1);
                return true;
            }

        private:
            RecordingHtmlCtrl m_html;
            int m_item;
            std::function<void(RecordingHtmlCtrl&, int)> m_run;
        };
        Host host(machine, itemId, std::move(body));
        host.DoModal();
    }
};

TEST_F(CHtmlCtrlTest, AppLinksBecomeCommandsAndStayOnThePage) {
    WithControl(IDC_SPLASH_HTML, [&](RecordingHtmlCtrl& html, int created) {
        EXPECT_EQ(1, created);
        html.Navigate("file:///C:/SETUP/page.htm");
        EXPECT_FALSE(machine.browsers.FollowLink("APP:close"));
        EXPECT_FALSE(machine.browsers.FollowLink("app:"));
        EXPECT_TRUE(machine.browsers.FollowLink("app.htm"));
        EXPECT_TRUE(machine.browsers.FollowLink("ap"));
        EXPECT_EQ((std::vector<std::string>{"close", ""}), html.commands);
        EXPECT_EQ("ap", machine.browsers.location);
        EXPECT_TRUE(machine.browsers.registeredAsBrowser);
    });
}

TEST_F(CHtmlCtrlTest, NoPageOpensANewWindow) {
    WithControl(IDC_SPLASH_HTML,
                [&](RecordingHtmlCtrl&, int) { EXPECT_FALSE(machine.browsers.AskForNewWindow()); });
}

TEST_F(CHtmlCtrlTest, MissingPlaceholderMakesNoControlAndNavigatesNowhere) {
    WithControl(4242, [&](RecordingHtmlCtrl& html, int created) {
        EXPECT_EQ(0, created);
        html.Navigate("http://vendor.invalid/");
    });

    EXPECT_FALSE(machine.trace.Has("browser: navigated"));
}

}  // namespace
}  // namespace kestavo::test
