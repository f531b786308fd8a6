#pragma once
// The open and save filters, written the way the program has always listed them
// ("Text|patterns|..." pairs), and their translation into QFileDialog name filters.

#include <QString>
#include <QStringList>

namespace pict::qt {

inline constexpr char kOpenFilter[] =
    "BMP (*.bmp;*.dib;*.rle)|*.bmp;*.dib;*.rle|GIF (*.gif)|*.gif|ICO (*.ico)|*.ico|"
    "JPG (*.jpg;*.jpeg;*.jpe;*.jfif)|*.jpg;*.jpeg;*.jpe;*.jfif|PNG (*.png)|*.png|"
    "All Formats|*.bmp;*.dib;*.gif;*.ico;*.jpg;*.jpeg;*.jpe;*.png;*.rle|";
inline constexpr char kSaveFilter[] = "BMP (*.bmp)|*.bmp|JPG (*.jpg)|*.jpg|PNG (*.png)|*.png|";

struct FileFilterEntry {
    QString text;         // what the list shows, as written
    QStringList patterns; // "*.bmp", ...
    // The QFileDialog form: the text, with the patterns in parentheses added when the text
    // does not already end with exactly those.
    QString nameFilter() const;
};

// One entry per text/patterns pair; an unpaired trailing text is dropped.
QList<FileFilterEntry> parseFileFilter(const QString& filter);
QStringList nameFilters(const QList<FileFilterEntry>& entries);

// The save filter's entries are numbered from 1: 1 bitmap, 2 JPEG, 3 (and anything else) PNG.
enum class SaveKind { Bitmap = 1, Jpeg = 2, Png = 3 };
SaveKind saveKindForEntry(int entry);
// The entry preselected for a document whose file has this name: its kind when the program
// writes it, PNG otherwise (GIF, ICO, untitled).
int saveEntryForName(const QString& fileName);
// ".bmp", ".jpg", ".png".
QString extensionOf(SaveKind kind);
// The name with the kind's extension appended unless it already ends with one of the
// extensions that select that kind (".jpeg" is kept for JPEG). Case does not matter.
QString ensureExtension(const QString& fileName, SaveKind kind);
// The file name Save As proposes: the document's name with its extension replaced by the
// preselected kind's.
QString proposedSaveName(const QString& documentName, SaveKind kind);

} // namespace pict::qt
