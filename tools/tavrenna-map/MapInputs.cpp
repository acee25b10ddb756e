#include "MapInputs.h"

#include "CommandLine.h"

#include <QFile>

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>

namespace tav::cli {
namespace {

namespace fs = std::filesystem;

bool HasMapName(const fs::path& path) {
    const std::string name = path.filename().native();
    return name.size() > 4 && name.ends_with(".map");
}

// Whether `target` (canonical) lies below `root` (canonical).
bool Inside(const fs::path& target, const fs::path& root) {
    const std::string& t = target.native();
    std::string r = root.native();
    if (!r.ends_with('/'))
        r += '/';
    return t.starts_with(r);
}

QString FromNative(const std::string& native) { return QFile::decodeName(QByteArray::fromStdString(native)); }

// What the walk found below a folder argument: a map, or a folder that could not be read.
struct FoundEntry {
    std::string Relative; // in its native bytes
    QString FolderError;  // set for a folder: why it could not be read
};

void ListFolder(const QString& argument, MapInputs& inputs,
                const std::function<void(const QString&)>& skipped) {
    const fs::path root(QFile::encodeName(argument).toStdString());
    std::error_code canonicalError;
    const fs::path canonicalRoot = fs::canonical(root, canonicalError);
    const QString prefix = argument.endsWith(u'/') ? argument : argument + u'/';
    // A path below the folder: the argument joined with the rest, and as messages show it.
    const auto relativeOf = [&](const fs::path& path) {
        const std::string relative = path.lexically_relative(root).native();
        return relative == "." ? std::string() : relative;
    };
    const auto shown = [&](const std::string& relative) {
        if (relative.empty())
            return ShownName(argument);
        const QByteArray bytes = QByteArray::fromStdString(relative);
        return ShownName(prefix) + (IsFileNameText(bytes) ? ShownName(QFile::decodeName(bytes)) : ShownBytes(bytes));
    };
    std::vector<FoundEntry> found;
    // Each folder is listed on its own, so that one that cannot be read is named and the walk goes on
    // with the others (a recursive iterator ends at its first error).
    std::vector<fs::path> folders{root};
    std::error_code error;
    while (!folders.empty()) {
        const fs::path folder = std::move(folders.back());
        folders.pop_back();
        fs::directory_iterator list(folder, error);
        for (; !error && list != fs::directory_iterator(); list.increment(error)) {
            const fs::directory_entry& entry = *list;
            std::error_code statError;
            const bool link = entry.is_symlink(statError);
            if (!link && entry.is_directory(statError)) {
                folders.push_back(entry.path());
                continue;
            }
            if (!HasMapName(entry.path()))
                continue;
            const std::string relative = relativeOf(entry.path());
            if (link) {
                const fs::path target = fs::canonical(entry.path(), statError);
                if (!statError && fs::is_regular_file(target, statError) && Inside(target, canonicalRoot))
                    found.push_back({relative, QString()});
                else
                    skipped(shown(relative) +
                            QStringLiteral(": skipped: a link to something outside the folder or not a file"));
                continue;
            }
            if (entry.is_regular_file(statError))
                found.push_back({relative, QString()});
        }
        if (error) {
            found.push_back({relativeOf(folder), QString::fromStdString(error.message())});
            error.clear();
        }
    }
    std::sort(found.begin(), found.end(), [](const FoundEntry& a, const FoundEntry& b) { return a.Relative < b.Relative; });
    for (const FoundEntry& entry : found) {
        const QByteArray relative = QByteArray::fromStdString(entry.Relative);
        const QString path = entry.Relative.empty() ? argument : prefix + FromNative(entry.Relative);
        if (!entry.FolderError.isEmpty()) {
            MapInput folder{path, FromNative(entry.Relative),
                            shown(entry.Relative) + QStringLiteral(": cannot read the folder: ") + entry.FolderError,
                            QByteArray()};
            if (!IsFileNameText(relative)) {
                folder.Path = shown(entry.Relative);
                folder.Bytes = QFile::encodeName(prefix) + relative;
            }
            inputs.Maps.push_back(folder);
        } else if (IsFileNameText(relative)) {
            inputs.Maps.push_back({path, FromNative(entry.Relative), QString(), QByteArray()});
        } else {
            // The decoded name would name no file; the map is reported as unreadable, with its bytes shown.
            inputs.Maps.push_back({shown(entry.Relative), FromNative(entry.Relative),
                                   shown(entry.Relative) + QStringLiteral(": cannot read: the file name is not UTF-8 "
                                                                          "text (rename the file)"),
                                   QFile::encodeName(prefix) + relative});
        }
    }
    // A mistyped folder or an empty pack must not pass for a pack that was checked.
    if (found.empty())
        inputs.Maps.push_back({argument, QString(), ShownName(argument) + QStringLiteral(": no .map files in this folder"),
                               QByteArray()});
}

} // namespace

QString MapInput::Shown() const { return Bytes.isEmpty() ? ShownName(Path) : Path; }

MapInputs ExpandMapInputs(const QStringList& arguments, const std::function<void(const QString& line)>& skipped) {
    MapInputs inputs;
    inputs.Several = arguments.size() > 1;
    for (const QString& argument : arguments) {
        if (const auto raw = UndecodableBytes(argument)) {
            const qsizetype slash = raw->lastIndexOf('/');
            inputs.Maps.push_back({ShownBytes(*raw), QFile::decodeName(raw->mid(slash + 1)),
                                   UndecodableArgumentLine(*raw), *raw});
            continue;
        }
        std::error_code error;
        // A link given as an argument is the user's own choice and is followed.
        if (fs::is_directory(fs::path(QFile::encodeName(argument).toStdString()), error)) {
            inputs.Several = true;
            ListFolder(argument, inputs, skipped);
        } else {
            const qsizetype slash = argument.lastIndexOf(u'/');
            inputs.Maps.push_back({argument, argument.mid(slash + 1), QString(), QByteArray()});
        }
    }
    return inputs;
}

} // namespace tav::cli
