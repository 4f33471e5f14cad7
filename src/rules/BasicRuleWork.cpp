// The keeping of basic rules and languages on the tab "Rules Prayer".
#include "rules/RulesTab.h"
#include "store/Store.h"
#include "uikit/AppContext.h"
#include "uikit/Dialogs.h"
#include "uikit/Numbers.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTreeWidget>

namespace brassbell {

void RulesTab::addBasicRule() {
    const QString text = ruleTextDialog(QStringLiteral("Add a rule"), QString());
    if (text.isEmpty())
        return;
    guarded([&] {
        app_.store.addRule(text.toStdU16String());
        fillBasicRules();
        showRuleMode();
    });
}

void RulesTab::editBasicRule() {
    onSelectedRule([&](std::int32_t ruleId) {
        const QString initialText = TextBox1->toPlainText();
        const QString text = ruleTextDialog(QStringLiteral("Edit rule"), initialText);
        if (text.isEmpty() || text == initialText)
            return;
        app_.store.changeRule(ruleId, text.toStdU16String());
        showRulesAgain();
    });
}

void RulesTab::deleteBasicRule() {
    onSelectedRule([&](std::int32_t ruleId) {
        if (!app_.dialogs.ask(QStringLiteral("Do you want to delete this rule: ") + TextBox1->toPlainText() +
                                  QStringLiteral("?\r\nThis will also delete all present rules which have a "
                                                 "relation to this rule!!!"),
                              QStringLiteral("Delete this rule?")))
            return;
        app_.store.deleteRule(ruleId);
        showRulesAgain();
    });
}

void RulesTab::addLanguage() {
    // The speak list goes blank whatever the answer; it shows something again once a language
    // is picked or rule mode is entered.
    ListView3->clear();
    ListView3->setColumnCount(0);
    speakMode_ = SpeakMode::Emptied;
    const QString name = app_.dialogs.inputBox(QStringLiteral("Please enter you language"),
                                               QStringLiteral("New Language"), QString());
    if (name.isEmpty())
        return;
    guarded([&] {
        app_.store.addLanguage(name.toStdU16String());
        fillLangs();
    });
}

void RulesTab::renameLanguage() {
    if (Combo1->currentText().isEmpty())
        return;
    // The language renamed is the one in LangKey, and the prompt offers its stored name,
    // whatever was typed into the box.
    onSelectedLanguage([&](std::int32_t langId, const QString& storedName) {
        const QString name =
            app_.dialogs.inputBox(QStringLiteral("Please change the language description like you want"),
                                  QStringLiteral("Change language description"), storedName);
        if (name.isEmpty())
            return;
        app_.store.renameLanguage(langId, name.toStdU16String());
        fillLangs();
    });
}

void RulesTab::deleteLanguage() {
    onSelectedLanguage([&](std::int32_t langId, const QString& storedName) {
        if (!app_.dialogs.ask(QStringLiteral("Do you want to delete the language: ") + storedName +
                                  QStringLiteral("?\r\nThis will also delete all present rules for this "
                                                 "language!!!"),
                              QStringLiteral("Delete this language?")))
            return;
        app_.store.deleteLanguage(langId);
        showRuleMode();
        fillLangs();
    });
}

void RulesTab::showRulesAgain() {
    fillBasicRules();
    showRuleMode();
    fillLangs();
}

void RulesTab::onSelectedRule(const std::function<void(std::int32_t ruleId)>& operation) {
    if (BasicRuleKey->text().isEmpty())
        return;
    guarded([&] {
        const std::optional<std::int32_t> ruleId = existingRule();
        if (!ruleId) {
            reportMissingRule();
            return;
        }
        operation(*ruleId);
    });
}

void RulesTab::onSelectedLanguage(
    const std::function<void(std::int32_t langId, const QString& storedName)>& operation) {
    if (LangKey->text().isEmpty())
        return;
    guarded([&] {
        QString storedName;
        const std::optional<std::int32_t> langId = existingLanguage(&storedName);
        if (!langId) {
            reportMissingLanguage();
            return;
        }
        operation(*langId, storedName);
    });
}

} // namespace brassbell
