// The changes window: an import's list shown before it is applied, Apply and
// Cancel answering the command.
#include "app/formchanges.h"
#include "app/qtprompts.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace lt {
namespace {

TEST(FormChanges, ListsTheChangesAndAnswersApplyOrCancel) {
    QtPrompts prompts;
    const QStringList changes{QStringLiteral("kept 1/1: 1 Alpha"),
                              QStringLiteral("gone 1/2: 2 Gamma (switched off)")};
    for (const bool apply : {false, true}) {
        QStringList shown;
        QString summary;
        QTimer::singleShot(0, [&] {
            auto* form = qobject_cast<TFormChanges*>(QApplication::activeModalWidget());
            ASSERT_NE(form, nullptr);
            summary = form->lSummary()->text();
            for (int i = 0; i < form->lbChanges()->count(); ++i) shown << form->lbChanges()->item(i)->text();
            (apply ? form->btnApply() : form->btnCancel())->click();
        });
        EXPECT_EQ(prompts.reviewChanges(QStringLiteral("2 views made from the timetable feed."), changes),
                  apply);
        EXPECT_EQ(summary, QStringLiteral("2 views made from the timetable feed."));
        EXPECT_EQ(shown, changes);
    }
}

}  // namespace
}  // namespace lt
