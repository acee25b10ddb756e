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

// A name for messages: as text when it is text, else with its bytes shown, since decoding would put U+FFFD
// in their place.
QString Shown(const std::string& native) {
    const QByteArray bytes = QByteArray::fromStdString(native);
    return IsFileNameText(bytes) ? QFile::decodeName(bytes) : ShownBytes(bytes);
}

void ListFolder(const QString& argument, MapInputs& inputs,
                const std::function<void(const QString&)>& skipped) {
    const fs::path root(QFile::encodeName(argument).toStdString());
    std::error_code canonicalError;
    const fs::path canonicalRoot = fs::canonical(root, canonicalError);
    const QString prefix = argument.endsWith(u'/') ? argument : argument + u'/';
    // A path below the folder as the messages name it: the argument joined with the rest.
    const auto shown = [&](const fs::path& path) {
        const std::string relative = path.lexically_relative(root).native();
        return relative == "." ? argument : prefix + Shown(relative);
    };
    std::vector<std::string> found; // relative to the folder, in its native bytes
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
            const std::string relative = entry.path().lexically_relative(root).native();
            if (link) {
                const fs::path target = fs::canonical(entry.path(), statError);
                if (!statError && fs::is_regular_file(target, statError) && Inside(target, canonicalRoot))
                    found.push_back(relative);
                else
                    skipped(shown(entry.path()) +
                            QStringLiteral(": skipped: a link to something outside the folder or not a file"));
                continue;
            }
            if (entry.is_regular_file(statError))
                found.push_back(relative);
        }
        if (error) {
            skipped(shown(folder) + QStringLiteral(": cannot read the folder: ") +
                    QString::fromStdString(error.message()));
            ++inputs.FolderErrors;
            error.clear();
        }
    }
    std::sort(found.begin(), found.end());
    for (const std::string& native : found) {
        const QByteArray relative = QByteArray::fromStdString(native);
        if (IsFileNameText(relative)) {
            inputs.Maps.push_back({prefix + FromNative(native), FromNative(native), QString()});
        } else {
            // The decoded name would name no file; the map is reported as unreadable, with its bytes shown.
            const QString path = prefix + Shown(native);
            inputs.Maps.push_back({path, FromNative(native),
                                   path + QStringLiteral(": cannot read: the file name is not UTF-8 text (rename "
                                                         "the file)")});
        }
    }
}

} // namespace

MapInputs ExpandMapInputs(const QStringList& arguments, const std::function<void(const QString& line)>& skipped) {
    MapInputs inputs;
    inputs.Several = arguments.size() > 1;
    for (const QString& argument : arguments) {
        std::error_code error;
        // A link given as an argument is the user's own choice and is followed.
        if (fs::is_directory(fs::path(QFile::encodeName(argument).toStdString()), error)) {
            inputs.Several = true;
            ListFolder(argument, inputs, skipped);
        } else {
            const qsizetype slash = argument.lastIndexOf(u'/');
            inputs.Maps.push_back({argument, argument.mid(slash + 1), QString()});
        }
    }
    return inputs;
}

} // namespace tav::cli
