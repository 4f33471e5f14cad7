#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

namespace brassbell {

struct AppContext;
class RuleTextDialog;

// The tab "Rules Prayer": basic rules, the languages and the translations of the rules, and
// sending a rule to all players in the language of the moment.
//
// The hidden fields BasicRuleKey, LangKey and SelTrans are the memory of the selection; the
// speak list ListView3 shows either every basic rule (rule mode) or the translations into the
// picked language (translation mode).
class RulesTab : public QWidget {
    Q_OBJECT

public:
    explicit RulesTab(AppContext& app, QWidget* parent = nullptr);

    // Start-up runs these three, in this order, once Rules.mdb is open.
    void fFilleBasicRule();
    void useBasicLanguage();
    void fFillLangs();

    QLabel* Label5;
    QTreeWidget* ListView2;
    QPushButton* CAddBasicRule;
    QPushButton* CDelBasRule;
    QPushButton* CChBasRule;
    QPlainTextEdit* TextBox1;
    QLineEdit* BasicRuleKey;
    QLabel* Label6;
    QComboBox* Combo1;
    QLineEdit* LangKey;
    QPushButton* CAddLang;
    QPushButton* CDelLang;
    QPushButton* CUseBasic;
    QPushButton* CChLang;
    QLabel* Label7;
    QTreeWidget* ListView3;
    QPushButton* CAddLangRule;
    QPushButton* CDelLangRule;
    QPushButton* CEditLangRule;
    QLineEdit* SelTrans;
    QLineEdit* TextBox2;
    QPushButton* CSpeakRule;

private:
    enum class SpeakMode { Rule, Translation, Emptied };

    void buildControls();

    // Basic rules and languages
    void addBasicRule();
    void editBasicRule();
    void deleteBasicRule();
    void addLanguage();
    void renameLanguage();
    void deleteLanguage();
    void onLanguagePicked();
    void onBasicRuleClicked();

    // Translations and speaking
    void addTranslation();
    void editTranslation();
    void deleteTranslation();
    void speakRule();
    void onSpeakRowClicked();

    // Throwing forms of the fills and modes; the handlers catch around them.
    void fillBasicRules();
    void fillLangs();
    void showRuleMode();
    void showTranslationMode();
    // Shows the translations of the language in LangKey again, with the box naming it.
    void showTranslationsAgain();
    // After a basic rule changed: both lists show the rules, and the box offers no language.
    void showRulesAgain();
    void fillSpeakListForMode();

    // The rule text dialog: caption and initial text in, the entered text out; empty means
    // there is nothing to do.
    QString ruleTextDialog(const QString& caption, const QString& initialText);

    // The rule and language the hidden fields name, when their records exist.
    std::optional<std::int32_t> existingRule();
    std::optional<std::int32_t> existingLanguage(QString* name = nullptr);

    void reportMissingRule();
    void reportMissingLanguage();
    // Runs `operation`, guarded, on the rule BasicRuleKey names or the language LangKey names;
    // nothing happens without a key, and a record gone meanwhile is reported instead.
    void onSelectedRule(const std::function<void(std::int32_t ruleId)>& operation);
    void onSelectedLanguage(const std::function<void(std::int32_t, const QString& storedName)>& operation);
    // Runs a store operation; a failure is reported in the "Error" box, and then the lists
    // show what the database holds.
    void guarded(const std::function<void()>& operation);
    void showWhatIsStored();

    void setTextToSpeak(const QString& text, std::optional<std::int32_t> translationRid);

    AppContext& app_;
    QPointer<RuleTextDialog> frmRule_;
    SpeakMode speakMode_ = SpeakMode::Rule;
    // The language name the speak list was last filled for in translation mode.
    QString speakListLanguage_;
    // The RID of the translation whose text TextBox2 shows; empty when it shows none.
    std::optional<std::int32_t> shownRid_;
};

} // namespace brassbell
