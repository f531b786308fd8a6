#include "codecs/FileKind.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <vector>

namespace pict {

namespace {

struct KindExtensions {
    FileKind kind;
    std::array<std::string_view, 4> extensions; // the first is the default
};

constexpr std::array<KindExtensions, 8> kKinds = {{
    {FileKind::Ved, {"ved"}},
    {FileKind::Bmp, {"bmp", "dib", "rle"}},
    {FileKind::Gif, {"gif"}},
    {FileKind::Ico, {"ico"}},
    {FileKind::Jpg, {"jpg", "jpeg", "jpe", "jfif"}},
    {FileKind::Png, {"png"}},
    {FileKind::Tif, {"tif", "tiff"}},
    {FileKind::Ora, {"ora"}},
}};

constexpr std::array<FileKind, 5> kSaveKinds = {FileKind::Bmp, FileKind::Jpg, FileKind::Png, FileKind::Tif,
                                                FileKind::Ora};

std::string_view fileName(std::string_view path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

} // namespace

const char* const kOpenFilter =
    "BMP (*.bmp;*.dib;*.rle)|*.bmp;*.dib;*.rle|GIF (*.gif)|*.gif|ICO (*.ico)|*.ico|"
    "JPG (*.jpg;*.jpeg;*.jpe;*.jfif)|*.jpg;*.jpeg;*.jpe;*.jfif|PNG (*.png)|*.png|TIFF (*.tif;*.tiff)|*.tif;*.tiff|"
    "OpenRaster (*.ora)|*.ora|"
    "All Formats|*.bmp;*.dib;*.gif;*.ico;*.jpg;*.jpeg;*.jpe;*.png;*.rle;*.tif;*.tiff;*.ora|";
const char* const kSaveFilter =
    "BMP (*.bmp)|*.bmp|JPG (*.jpg)|*.jpg|PNG (*.png)|*.png|TIFF (*.tif)|*.tif|OpenRaster (*.ora)|*.ora|";

FileKind kindOfPath(std::string_view path) {
    const std::string_view name = fileName(path);
    const size_t dot = name.find_last_of('.');
    if (dot == std::string_view::npos)
        return FileKind::Unknown;
    std::string extension(name.substr(dot + 1));
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    for (const KindExtensions& entry : kKinds)
        for (std::string_view candidate : entry.extensions)
            if (!candidate.empty() && candidate == extension)
                return entry.kind;
    return FileKind::Unknown;
}

std::string extensionOfKind(FileKind kind, bool withDot) {
    for (const KindExtensions& entry : kKinds)
        if (entry.kind == kind)
            return (withDot ? "." : "") + std::string(entry.extensions[0]);
    return {};
}

std::string ensureExtension(std::string_view path, FileKind kind) {
    std::string result(path);
    if (kindOfPath(path) == kind)
        return result;
    const std::string extension = extensionOfKind(kind, true);
    if (extension.empty() || result.ends_with(extension))
        return result;
    return result + extension;
}

std::string proposedSaveName(std::string_view documentName, FileKind kind) {
    std::string_view base = documentName;
    if (kindOfPath(documentName) != FileKind::Unknown)
        base = documentName.substr(0, documentName.find_last_of('.'));
    return std::string(base) + extensionOfKind(kind, true);
}

std::string savedExtensionsText() {
    std::vector<std::string_view> extensions;
    for (const KindExtensions& entry : kKinds)
        if (canSaveKind(entry.kind))
            for (std::string_view extension : entry.extensions)
                if (!extension.empty())
                    extensions.push_back(extension);
    std::string text;
    for (size_t i = 0; i < extensions.size(); ++i) {
        text += i == 0 ? "" : i + 1 == extensions.size() ? " or " : ", ";
        text += ".";
        text += extensions[i];
    }
    return text;
}

int openFilterDefaultIndex() {
    const std::string_view filter = kOpenFilter;
    return int(std::count(filter.begin(), filter.end(), '|') / 2);
}

int saveFilterIndexOfKind(FileKind kind) {
    for (size_t i = 0; i < kSaveKinds.size(); ++i)
        if (kSaveKinds[i] == kind)
            return int(i) + 1;
    return saveFilterIndexOfKind(FileKind::Png); // what a picture of any other kind is saved as
}

FileKind kindOfSaveFilterIndex(int index) {
    if (index >= 1 && index <= int(kSaveKinds.size()))
        return kSaveKinds[size_t(index) - 1];
    return FileKind::Png;
}

} // namespace pict
