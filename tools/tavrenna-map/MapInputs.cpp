#include "MapInputs.h"

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

void ListFolder(const QString& argument, MapInputs& inputs,
                const std::function<void(const QString&)>& skipped) {
    const fs::path root(QFile::encodeName(argument).toStdString());
    std::error_code error;
    const fs::path canonicalRoot = fs::canonical(root, error);
    std::vector<std::string> found; // relative to the folder, in its native bytes
    fs::recursive_directory_iterator walk(root, fs::directory_options::none, error);
    const auto report = [&](const std::error_code& code) {
        skipped(argument + QStringLiteral(": cannot read the whole folder: ") + QString::fromStdString(code.message()));
        ++inputs.FolderErrors;
    };
    if (error) {
        report(error);
        return;
    }
    for (; walk != fs::recursive_directory_iterator(); walk.increment(error)) {
        if (error) {
            report(error);
            break;
        }
        const fs::directory_entry& entry = *walk;
        if (!HasMapName(entry.path()))
            continue;
        std::error_code statError;
        const std::string relative = entry.path().lexically_relative(root).native();
        if (entry.is_symlink(statError)) {
            const fs::path target = fs::canonical(entry.path(), statError);
            if (!statError && fs::is_regular_file(target, statError) && Inside(target, canonicalRoot))
                found.push_back(relative);
            else
                skipped(FromNative(entry.path().native()) +
                        QStringLiteral(": skipped: a link to something outside the folder or not a file"));
            continue;
        }
        if (entry.is_regular_file(statError))
            found.push_back(relative);
    }
    std::sort(found.begin(), found.end());
    const QString prefix = argument.endsWith(u'/') ? argument : argument + u'/';
    for (const std::string& relative : found)
        inputs.Maps.push_back({prefix + FromNative(relative), FromNative(relative)});
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
            inputs.Maps.push_back({argument, argument.mid(slash + 1)});
        }
    }
    return inputs;
}

} // namespace tav::cli
