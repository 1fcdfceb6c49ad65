// Every window shows its own caption: the application title is kept by the
// program, not given to the platform as a display name that it would append
// to every caption.
#include "app/formcolor.h"
#include "app/formhardware.h"
#include "app/forms.h"
#include "app/mainform.h"
#include "app/startup.h"
#include "tests/support/scripted_prompts.h"
#include "widgets/apptitle.h"

#include <QApplication>
#include <QWindow>

#include <gtest/gtest.h>

namespace lt::test {
namespace {

TEST(WindowTitles, EachWindowShowsItsOwnCaptionAlone) {
    ScriptedPrompts prompts;
    const std::unique_ptr<EditorRun> run = startEditor(*qApp, &prompts);
    const Forms& f = forms();
    // Without a display name of its own the platform appends nothing.
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
    EXPECT_EQ(applicationTitle(), QStringLiteral("Velmora Line Tint v1.03 2016-09-04"));
    const std::pair<QWidget*, const char*> windows[] = {
        {f.MainForm, "Velmora Line Tint v1.03 2016-09-04"},
        {f.FormHardware, "Hardware information"},
        {f.FormColor, "Color"},
        {f.FormOption, "Options"},
        {f.FormLCD, "LCD Contrast"},
        {f.FormModules, "Display model"},
    };
    for (const auto& [window, caption] : windows) {
        ASSERT_NE(window, nullptr) << caption;
        EXPECT_EQ(window->windowTitle(), QString::fromUtf8(caption));
        window->show();
        ASSERT_NE(window->windowHandle(), nullptr) << caption;
        EXPECT_EQ(window->windowHandle()->title(), QString::fromUtf8(caption));
        window->hide();
    }
}

}  // namespace
}  // namespace lt::test
