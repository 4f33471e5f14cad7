#include "rules/RulesTab.h"

#include "rules/KeptRowTextDelegate.h"
#include "rules/RuleTextDialog.h"
#include "rules/WrappingButton.h"
#include "store/Snapshot.h"
#include "store/Store.h"
#include "uikit/AppContext.h"
#include "uikit/Controls.h"
#include "uikit/Dialogs.h"
#include "uikit/ListViewFill.h"
#include "uikit/Numbers.h"
#include "uikit/StoreFailure.h"
#include "uikit/Twips.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace brassbell {

namespace {

// Both lists are narrower than this, so a long rule scrolls sideways instead of being cut.
constexpr int kTextColumnTwips = 18535;

QPushButton* makeWrappingButton(QWidget* parent, const char* name, const QString& caption,
                                const QRect& place) {
    return placeControl<WrappingButton>(parent, name, place, caption);
}

QLineEdit* makeHiddenField(QWidget* parent, const char* name) {
    auto* field = keepWholeText(new QLineEdit(parent));
    field->setObjectName(name);
    field->hide();
    return field;
}

QTreeWidget* makeListView(QWidget* parent, const char* name, const QRect& place) {
    QTreeWidget* list = makeRecordList(parent, name, place);
    list->setItemDelegate(new KeptRowTextDelegate(list));
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->header()->setStretchLastSection(false);
    // The key columns are hidden by giving them no width at all.
    list->header()->setMinimumSectionSize(0);
    return list;
}

QTreeWidgetItem* selectedRow(QTreeWidget* list) {
    const QList<QTreeWidgetItem*> rows = list->selectedItems();
    return rows.isEmpty() ? nullptr : rows.front();
}

void setSpeakListWidths(QTreeWidget* list) {
    setColumnWidthTwips(list, 0, 0);
    setColumnWidthTwips(list, 1, 0);
    setColumnWidthTwips(list, 2, 0);
    setColumnWidthTwips(list, 3, kTextColumnTwips);
}

} // namespace

RulesTab::RulesTab(AppContext& app, QWidget* parent) : QWidget(parent), app_(app) {
    setObjectName("RulesTab");
    buildControls();

    connect(CAddBasicRule, &QPushButton::clicked, this, &RulesTab::addBasicRule);
    connect(CDelBasRule, &QPushButton::clicked, this, &RulesTab::deleteBasicRule);
    connect(CChBasRule, &QPushButton::clicked, this, &RulesTab::editBasicRule);
    connect(CAddLang, &QPushButton::clicked, this, &RulesTab::addLanguage);
    connect(CDelLang, &QPushButton::clicked, this, &RulesTab::deleteLanguage);
    connect(CUseBasic, &QPushButton::clicked, this, &RulesTab::useBasicLanguage);
    connect(CChLang, &QPushButton::clicked, this, &RulesTab::renameLanguage);
    connect(CAddLangRule, &QPushButton::clicked, this, &RulesTab::addTranslation);
    connect(CDelLangRule, &QPushButton::clicked, this, &RulesTab::deleteTranslation);
    connect(CEditLangRule, &QPushButton::clicked, this, &RulesTab::editTranslation);
    connect(CSpeakRule, &QPushButton::clicked, this, &RulesTab::speakRule);
    // Only picking an entry counts; typing into the box's text part triggers nothing.
    connect(Combo1, &QComboBox::activated, this, &RulesTab::onLanguagePicked);
    connect(ListView2, &QTreeWidget::itemClicked, this, &RulesTab::onBasicRuleClicked);
    connect(ListView3, &QTreeWidget::itemClicked, this, &RulesTab::onSpeakRowClicked);
    nameAfter(Label5, ListView2);
    nameAfter(Label6, Combo1);
    nameAfter(Label7, ListView3);
    // The two text boxes stand under no label of their own.
    TextBox1->setAccessibleName(QStringLiteral("Basic rule text"));
    TextBox2->setAccessibleName(QStringLiteral("Rule to send"));
    clickOnKeyboardMove(ListView2, [this] { onBasicRuleClicked(); });
    clickOnKeyboardMove(ListView3, [this] { onSpeakRowClicked(); });
}

void RulesTab::buildControls() {
    Label5 = makeLabel(this, "Label5", QStringLiteral("Basic rules"), twipsRect(120, 120, 2535, 255));
    ListView2 = makeListView(this, "ListView2", twipsRect(120, 375, 8535, 1815));
    CAddBasicRule = makeWrappingButton(this, "CAddBasicRule", QStringLiteral("Add a basic rule"),
                                       twipsRect(8775, 375, 2295, 495));
    CDelBasRule = makeWrappingButton(this, "CDelBasRule", QStringLiteral("Delete selected basic rule"),
                                     twipsRect(8775, 975, 2295, 495));
    CChBasRule = makeWrappingButton(this, "CChBasRule", QStringLiteral("Edit selected basic rule"),
                                    twipsRect(8775, 1575, 2295, 495));

    TextBox1 = new QPlainTextEdit(this);
    TextBox1->setObjectName("TextBox1");
    TextBox1->setGeometry(twipsRect(120, 2295, 8535, 975));
    TextBox1->setLineWrapMode(QPlainTextEdit::NoWrap);
    TextBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    TextBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    BasicRuleKey = makeHiddenField(this, "BasicRuleKey");

    Label6 = makeLabel(this, "Label6", QStringLiteral("Selected Language"), twipsRect(120, 3420, 1815, 255));
    Combo1 = new QComboBox(this);
    Combo1->setObjectName("Combo1");
    Combo1->setGeometry(twipsRect(1995, 3375, 2775, 315));
    Combo1->setEditable(true);
    keepWholeText(Combo1->lineEdit());
    keepTypedText(Combo1);
    // Entries come from tbl_Langs alone, in stored order: Enter in the text part adds none.
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    LangKey = makeHiddenField(this, "LangKey");
    CAddLang =
        makeWrappingButton(this, "CAddLang", QStringLiteral("Add new"), twipsRect(4890, 3345, 1335, 375));
    CDelLang =
        makeWrappingButton(this, "CDelLang", QStringLiteral("Delete"), twipsRect(6345, 3345, 1335, 375));
    CUseBasic = makeWrappingButton(this, "CUseBasic", QStringLiteral("Use Basic language"),
                                   twipsRect(1995, 3810, 2775, 375));
    CChLang = makeWrappingButton(this, "CChLang", QStringLiteral("Change language description"),
                                 twipsRect(4890, 3810, 2790, 375));

    Label7 = makeLabel(this, "Label7", QStringLiteral("Rule"), twipsRect(120, 4305, 2535, 255));
    ListView3 = makeListView(this, "ListView3", twipsRect(120, 4560, 8535, 2055));
    CAddLangRule = makeWrappingButton(this, "CAddLangRule",
                                      QStringLiteral("Add translation (selected rule and language)"),
                                      twipsRect(8775, 4560, 2295, 735));
    CDelLangRule = makeWrappingButton(this, "CDelLangRule", QStringLiteral("Delete selected translation"),
                                      twipsRect(8775, 5385, 2295, 555));
    CEditLangRule = makeWrappingButton(this, "CEditLangRule", QStringLiteral("Change selected translation"),
                                       twipsRect(8775, 6030, 2295, 555));
    SelTrans = makeHiddenField(this, "SelTrans");

    TextBox2 = makeLineEdit(this, "TextBox2", twipsRect(120, 6780, 8535, 315));
    CSpeakRule = makeWrappingButton(this, "CSpeakRule", QStringLiteral("Send this rule to all"),
                                    twipsRect(8775, 6720, 2295, 435));
    // Usable only while a console of ET or ETQW is found; the connection monitor switches it.
    CSpeakRule->setProperty("Tag", QStringLiteral("OnlyConn_QW"));
}

// --- the public start-up steps ---

void RulesTab::fFilleBasicRule() {
    guarded([this] { fillBasicRules(); });
}

void RulesTab::useBasicLanguage() {
    guarded([this] { showRuleMode(); });
}

void RulesTab::fFillLangs() {
    guarded([this] { fillLangs(); });
}

// --- fills and modes ---

void RulesTab::fillBasicRules() {
    fFillListView(ListView2, app_.store, "tbl_Rules", false);
    setColumnWidthTwips(ListView2, 0, 0);
    setColumnWidthTwips(ListView2, 1, kTextColumnTwips);
}

void RulesTab::fillLangs() {
    const std::vector<std::u16string> names = app_.store.languageNames();
    Combo1->clear();
    Combo1->clearEditText();
    for (const std::u16string& name : names)
        Combo1->addItem(QString::fromStdU16String(name));
    // Adding entries makes the first one current; the box stays empty until the user picks.
    Combo1->setCurrentIndex(-1);
    Combo1->clearEditText();
}

void RulesTab::showRuleMode() {
    setTextToSpeak(QString(), std::nullopt);
    Combo1->setCurrentIndex(-1);
    Combo1->clearEditText();
    LangKey->clear();
    fFillListView(ListView3, app_.store, kBasicRulesInFourColumns, true);
    speakMode_ = SpeakMode::Rule;
    setSpeakListWidths(ListView3);
    CAddLangRule->setEnabled(false);
    CDelLangRule->setEnabled(false);
    CEditLangRule->setEnabled(false);
    Label7->setText(QStringLiteral("Rule"));
}

void RulesTab::showTranslationMode() {
    setTextToSpeak(QString(), std::nullopt);
    const QString name = Combo1->currentText();
    fFillListView(ListView3, app_.store, kTranslationsOfLanguage, true, {name.toStdU16String()});
    speakMode_ = SpeakMode::Translation;
    speakListLanguage_ = name;
    // A name whose record is gone leaves no key behind, so nothing acts on a stale language.
    const std::optional<std::int32_t> langId = app_.store.languageIdByName(name.toStdU16String());
    LangKey->setText(langId ? QString::number(*langId) : QString());
    setSpeakListWidths(ListView3);
    CAddLangRule->setEnabled(true);
    CDelLangRule->setEnabled(true);
    CEditLangRule->setEnabled(true);
    Label7->setText(QStringLiteral("Translation"));
}

void RulesTab::showTranslationsAgain() {
    QString name;
    if (existingLanguage(&name))
        Combo1->setEditText(name);
    showTranslationMode();
}

void RulesTab::fillSpeakListForMode() {
    switch (speakMode_) {
    case SpeakMode::Rule:
        fFillListView(ListView3, app_.store, kBasicRulesInFourColumns, true);
        setSpeakListWidths(ListView3);
        break;
    case SpeakMode::Translation: {
        // The box may have been emptied or typed into since; the list belongs to the language picked.
        QString name = speakListLanguage_;
        existingLanguage(&name);
        fFillListView(ListView3, app_.store, kTranslationsOfLanguage, true, {name.toStdU16String()});
        setSpeakListWidths(ListView3);
        break;
    }
    case SpeakMode::Emptied:
        break;
    }
}

void RulesTab::onLanguagePicked() {
    guarded([this] { showTranslationMode(); });
}

// --- clicks in the lists: a failure ends them silently, keeping what was set before ---

void RulesTab::onBasicRuleClicked() {
    try {
        const QTreeWidgetItem* row = selectedRow(ListView2);
        if (row == nullptr || ListView2->columnCount() < 2)
            return;
        TextBox1->setPlainText(row->text(1));
        BasicRuleKey->setText(row->text(0));
        if (TextBox1->toPlainText().isEmpty())
            return;
        if (Combo1->currentText().isEmpty()) {
            setTextToSpeak(TextBox1->toPlainText(), std::nullopt);
            return;
        }
        const std::optional<std::int32_t> ruleId = keyFromText(BasicRuleKey->text());
        const std::optional<std::int32_t> langId = keyFromText(LangKey->text());
        if (!ruleId || !langId)
            return;
        const QString translation = QString::fromStdU16String(app_.store.fGetTranslation(*ruleId, *langId));
        // Remember which record the shown text is, so changing or deleting it acts on that one.
        const std::optional<std::int32_t> rid =
            translation.isEmpty() ? std::nullopt : app_.store.findTranslation(*ruleId, *langId);
        setTextToSpeak(translation, rid);
    } catch (const StoreError&) {
        return;
    }
}

void RulesTab::onSpeakRowClicked() {
    const QTreeWidgetItem* row = selectedRow(ListView3);
    if (row == nullptr || ListView3->columnCount() < 4)
        return;
    SelTrans->setText(row->text(0));
    // In rule mode the first column is a RuleID, never to be taken for a translation's RID.
    setTextToSpeak(row->text(3),
                   speakMode_ == SpeakMode::Translation ? keyFromText(SelTrans->text()) : std::nullopt);
}

void RulesTab::setTextToSpeak(const QString& text, std::optional<std::int32_t> translationRid) {
    TextBox2->setText(text);
    shownRid_ = translationRid;
}

// --- the rule text dialog ---

QString RulesTab::ruleTextDialog(const QString& caption, const QString& initialText) {
    if (!frmRule_)
        frmRule_ = new RuleTextDialog(window());
    // One operation at a time: a dialog already waiting for its text serves no other.
    if (frmRule_->isVisible())
        return QString();
    frmRule_->setWindowTitle(caption);
    frmRule_->Text1->setPlainText(initialText);
    frmRule_->Text1->setFocus();
    app_.dialogs.waitWhileVisible(frmRule_);
    if (!frmRule_)
        return QString();
    frmRule_->setWindowTitle(QString::fromUtf16(RuleTextDialog::kDefaultCaption));
    return frmRule_->Text1->toPlainText();
}

// --- keys and failures ---

std::optional<std::int32_t> RulesTab::existingRule() {
    const std::optional<std::int32_t> ruleId = keyFromText(BasicRuleKey->text());
    if (!ruleId || !app_.store.ruleExists(*ruleId))
        return std::nullopt;
    return ruleId;
}

std::optional<std::int32_t> RulesTab::existingLanguage(QString* name) {
    const std::optional<std::int32_t> langId = keyFromText(LangKey->text());
    if (!langId)
        return std::nullopt;
    const std::optional<std::u16string> stored = app_.store.languageName(*langId);
    if (!stored)
        return std::nullopt;
    if (name != nullptr)
        *name = QString::fromStdU16String(*stored);
    return langId;
}

void RulesTab::reportMissingRule() {
    app_.dialogs.messageBox(QStringLiteral("The selected basic rule does not exist anymore. Please select a "
                                           "basic rule first"),
                            QStringLiteral("Basic rule not found"), MsgButtons::Ok, MsgIcon::Critical);
}

void RulesTab::reportMissingLanguage() {
    app_.dialogs.messageBox(QStringLiteral("The selected language does not exist anymore. Please select a "
                                           "language first"),
                            QStringLiteral("Language not found"), MsgButtons::Ok, MsgIcon::Critical);
}

void RulesTab::showWhatIsStored() {
    // The failure is told already; a refill that fails as well leaves its list as it is.
    const auto refill = [](const std::function<void()>& fill) {
        try {
            fill();
        } catch (const StoreError&) {
            return;
        }
    };
    refill([this] { fillBasicRules(); });
    refill([this] { fillSpeakListForMode(); });
    refill([this] {
        const QString shownName = Combo1->currentText();
        fillLangs();
        Combo1->setEditText(shownName);
    });
}

void RulesTab::guarded(const std::function<void()>& operation) {
    if (!runReportingStoreFailure(app_.dialogs, operation, {.title = QStringLiteral("Error")}))
        showWhatIsStored();
}

} // namespace brassbell
