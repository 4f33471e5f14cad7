// The keeping of translations and the speaking of a rule on the tab "Rules Prayer".
#include "console/ConsoleLink.h"
#include "rules/RulesTab.h"
#include "store/Store.h"
#include "uikit/AppContext.h"
#include "uikit/Dialogs.h"
#include "uikit/Numbers.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace brassbell {

namespace {

void reportNoLanguage(Dialogs& dialogs) {
    dialogs.messageBox(QStringLiteral("No language selected...please select a language first"),
                       QStringLiteral("No language selected"), MsgButtons::Ok, MsgIcon::Critical);
}

void reportNoBasicRule(Dialogs& dialogs) {
    dialogs.messageBox(QStringLiteral("No basic language rule selected. To add a translation you have to "
                                      "select a basic rule first"),
                       QStringLiteral("No basic rule selected"), MsgButtons::Ok, MsgIcon::Critical);
}

} // namespace

void RulesTab::addTranslation() {
    if (Combo1->currentText().isEmpty()) {
        reportNoLanguage(app_.dialogs);
        return;
    }
    if (TextBox1->toPlainText().isEmpty()) {
        reportNoBasicRule(app_.dialogs);
        return;
    }
    guarded([&] {
        // Typed text in the box or in TextBox1 names no record: a translation is only ever
        // stored for a language and a rule that exist.
        QString languageName;
        const std::optional<std::int32_t> langId = existingLanguage(&languageName);
        if (!langId) {
            reportNoLanguage(app_.dialogs);
            return;
        }
        const std::optional<std::int32_t> ruleId = existingRule();
        if (!ruleId) {
            reportNoBasicRule(app_.dialogs);
            return;
        }
        const QString text =
            ruleTextDialog(QStringLiteral("Add") + languageName + QStringLiteral(" translation"), QString());
        if (text.isEmpty())
            return;
        app_.store.addTranslation(*langId, *ruleId, text.toStdU16String());
        showTranslationsAgain();
    });
}

void RulesTab::editTranslation() {
    // Only the translation whose text TextBox2 shows is ever changed.
    if (TextBox2->text().isEmpty() || !shownRid_)
        return;
    const std::int32_t rid = *shownRid_;
    const QString initialText = TextBox2->text();
    const QString text = ruleTextDialog(QStringLiteral("Edit your rule"), initialText);
    if (text.isEmpty() || text == initialText)
        return;
    guarded([&] {
        app_.store.changeTranslation(rid, text.toStdU16String());
        showTranslationsAgain();
    });
}

void RulesTab::deleteTranslation() {
    if (TextBox2->text().isEmpty() || !shownRid_)
        return;
    const std::int32_t rid = *shownRid_;
    guarded([&] {
        QString languageName;
        if (!existingLanguage(&languageName))
            languageName = Combo1->currentText();
        if (!app_.dialogs.ask(QStringLiteral("Dou you want to delete the ") + languageName +
                                  QStringLiteral(" translation of your rule:\r\n") + TextBox2->text() +
                                  QStringLiteral(" ?"),
                              QStringLiteral("Delete translation?")))
            return;
        app_.store.deleteTranslation(rid);
        showTranslationsAgain();
    });
}

void RulesTab::speakRule() {
    const QString text = TextBox2->text();
    if (text.isEmpty())
        return;
    app_.console.fSay2All(text.toStdU16String());
}

} // namespace brassbell
