#pragma once

#include <QString>
#include <QStringList>

class QListWidget;

namespace brassbell {

struct AppContext;
class Dialogs;

// The whole import of the version 1.0 list: asks for the old file, adds its texts to the text
// memory and rebuilds List1. Nothing happens when the user cancels the file dialog.
void fImportV1List(AppContext& app, QListWidget* List1);

// The full path of the chosen file; the empty text when the dialog was cancelled.
QString fOpenV1File(Dialogs& dialogs);

// The value of one key, at most 1023 characters; empty when the key is missing or empty.
// Throws IniReadError when the file cannot be read.
QString fReadIniValue(const QString& file, const QString& section, const QString& key);
// The same for several keys of one section, in their order, reading the file once.
QStringList fReadIniValues(const QString& file, const QString& section, const QStringList& keys);

} // namespace brassbell
