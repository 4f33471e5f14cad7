#include "import/V1Import.h"

#include "import/IniReader.h"
#include "store/Snapshot.h"
#include "store/Store.h"
#include "uikit/AppContext.h"
#include "uikit/Dialogs.h"
#include "uikit/ListBoxFill.h"
#include "uikit/StoreFailure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>

#ifdef _WIN32
#include <windows.h>
#else
#include "console/AnsiCodec.h"
#endif

#include <string>
#include <vector>

namespace brassbell {

namespace {

constexpr int kImportedKeys = 20;
// Version 1.0 put a four-character prefix before every text; a value needs more than this
// many characters to hold a text at all.
constexpr qsizetype kShortestValue = 10;
constexpr qsizetype kPrefixLength = 4;

void refillList(AppContext& app, QListWidget* List1) {
    fFillListBox(List1, app.store, kStoredTexts);
}

} // namespace

QString fOpenV1File(Dialogs& dialogs) {
    return dialogs.openFile(QStringLiteral("Please select the old configuration file you want to import"),
                            QStringLiteral("Brassbell.ini (*.ini)"));
}

#ifdef _WIN32

namespace {

// The profile functions answer "empty" for a file they cannot open, which would make an
// unreadable file look like one without texts; so whether it can be read is asked first.
bool canRead(const QString& file) {
    if (!QFileInfo(file).isFile())
        return false;
    QFile probe(file);
    return probe.open(QIODevice::ReadOnly);
}

// The profile functions take the file name in the ANSI code page. A folder named with letters
// outside it (a user folder "Łukasz" on a western system) is reached by its short name, where
// the file system keeps one; a name that lost letters on the way would read as a file without
// texts, so there is none then.
QByteArray ansiName(const QString& file) {
    const QByteArray name = file.toLocal8Bit();
    if (QString::fromLocal8Bit(name) == file)
        return name;
    const std::wstring wide = QDir::toNativeSeparators(file).toStdWString();
    std::wstring shortName(MAX_PATH, L'\0');
    const DWORD length = GetShortPathNameW(wide.c_str(), shortName.data(), MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    const QString reachable = QString::fromWCharArray(shortName.data(), static_cast<qsizetype>(length));
    const QByteArray shortAnsi = reachable.toLocal8Bit();
    return QString::fromLocal8Bit(shortAnsi) == reachable ? shortAnsi : QByteArray();
}

} // namespace

QStringList fReadIniValues(const QString& file, const QString& section, const QStringList& keys) {
    if (!canRead(file))
        throw IniReadError("cannot read " + file.toStdString());
    const QByteArray path = ansiName(file);
    if (path.isEmpty())
        throw IniReadError("cannot name " + file.toStdString() + " in the ANSI code page");
    const QByteArray sectionName = section.toLocal8Bit();
    QStringList values;
    for (const QString& key : keys) {
        char buffer[kIniValueLimit + 1] = {};
        const DWORD copied =
            GetPrivateProfileStringA(sectionName.constData(), key.toLocal8Bit().constData(), nullptr, buffer,
                                     static_cast<DWORD>(sizeof buffer), path.constData());
        values.append(copied != 0 ? QString::fromLocal8Bit(buffer) : QString());
    }
    return values;
}

#else

QStringList fReadIniValues(const QString& file, const QString& section, const QStringList& keys) {
    std::vector<std::string> keyBytes;
    keyBytes.reserve(static_cast<std::size_t>(keys.size()));
    for (const QString& key : keys)
        keyBytes.push_back(key.toLatin1().toStdString());
    const std::vector<std::string_view> keyViews(keyBytes.begin(), keyBytes.end());
    const std::vector<std::string> found =
        readIniValues(QFile::encodeName(file).toStdString(), section.toLatin1().toStdString(), keyViews);
    QStringList values;
    for (const std::string& value : found)
        values.append(QString::fromStdU16String(ansiToUtf16(value)));
    return values;
}

#endif

QString fReadIniValue(const QString& file, const QString& section, const QString& key) {
    return fReadIniValues(file, section, {key}).value(0);
}

void fImportV1List(AppContext& app, QListWidget* List1) {
    const QString path = fOpenV1File(app.dialogs);
    if (path.isEmpty())
        return;

    QStringList keys;
    for (int i = 1; i <= kImportedKeys; ++i)
        keys.append(QStringLiteral("Say%1").arg(i));

    QStringList values;
    try {
        values = fReadIniValues(path, QStringLiteral("SayStrings"), keys);
    } catch (const IniReadError&) {
        app.dialogs.messageBox("The file " + QDir::toNativeSeparators(path) +
                                   " could not be read, nothing has been imported",
                               QString(), MsgButtons::Ok, MsgIcon::Critical);
        return;
    }

    try {
        for (const QString& value : values) {
            if (value.size() > kShortestValue)
                app.store.fAddRecord("tbl_Say", "SayText", value.mid(kPrefixLength).toStdU16String());
        }
        refillList(app, List1);
    } catch (const StoreError& error) {
        // The texts added before the failure stay; the list shows what the database holds.
        try {
            refillList(app, List1);
        } catch (const StoreError&) {
            // The database cannot even be read now; the description below says why.
        }
        reportStoreFailure(app.dialogs, error);
        return;
    }

    // Qt's file dialog answers with "/"; the user knows the file by the system's own separators.
    app.dialogs.inform("All entries from " + QDir::toNativeSeparators(path) +
                       " have successfully been imported");
}

} // namespace brassbell
