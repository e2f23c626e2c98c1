// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/application.h"

#include "catalogue/facts_table.h"
#include "catalogue/lookup.h"
#include "map/map_scene.h"
#include "practice/wording.h"
#include "window/map_file.h"
#include "window/saved_file.h"

#include <QApplication>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTranslator>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string_view>
#include <variant>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace pelagor {

namespace {

constexpr QSize kSmallestExport{300, 180};
constexpr QSize kLargestExport{8000, 8000};

// Qt's own options (QGuiApplication, QApplication, the X11 platform), which
// Qt takes out of the command line itself; with one dash or two.
constexpr const char *kQtOptionsWithValue[] = {"platform",
                                               "platformpluginpath",
                                               "platformtheme",
                                               "plugin",
                                               "qwindowgeometry",
                                               "qwindowicon",
                                               "qwindowtitle",
                                               "session",
                                               "display",
                                               "geometry",
                                               "title",
                                               "icon",
                                               "name",
                                               "style",
                                               "stylesheet"};
constexpr const char *kQtFlags[] = {"reverse", "widgetcount", "nograb", "dograb",
                                    "sync",    "testability", "qdevel", "qmljsdebugger"};

bool isOneOf(const std::string_view name, const auto &names)
{
    return std::ranges::any_of(names, [name](const char *known) { return name == known; });
}

// Every option of the program's own, in the order the help lists them: its
// long name, the name of its value (none for a switch) and whether it is
// one of those that start the window; --help and --version aside. The
// window's options that take a value are the practice round's, read before
// Qt starts so that a mistake in them needs no display.
struct ProgramOption {
    std::string_view name;
    std::string_view value;
    bool window;
};
constexpr ProgramOption kProgramOptions[] = {
    {"map", "", true},      {"practice", "", true},         {"questions", "брой", true},
    {"kind", "вид", true},  {"variant", "номер", true},     {"export-map", "файл", false},
    {"sea", "море", false}, {"ocean", "океан", true},       {"size", "ШxВ", false},
    {"pupil", "име", true}, {"result", "файл|папка", true}, {"export-table", "файл", false},
    {"numbers", "", false},
};

const ProgramOption *programOption(std::string_view name)
{
    const auto *found = std::ranges::find(kProgramOptions, name, &ProgramOption::name);
    return found == std::end(kProgramOptions) ? nullptr : found;
}

// What an option asks for, as the help says it.
QString helpOf(std::string_view name)
{
    if (name == "map") {
        return QStringLiteral("Отваря и картата на моретата (F2 в прозореца).");
    }
    if (name == "practice") {
        return QStringLiteral("Започва упражнение веднага: програмата пита, ученикът отговаря; "
                              "формата остава отворена до него.");
    }
    if (name == "questions") {
        return QStringLiteral("С --practice: броят въпроси, от 1 до 82 (10, ако не е даден; "
                              "колкото морета имат избраните океани, ако са по-малко).");
    }
    if (name == "kind") {
        return QStringLiteral("С --practice: какво се пита: ocean (към кой океан принадлежи "
                              "морето), map (къде е морето на картата) или mixed (и двата вида; "
                              "така е, ако не е даден).");
    }
    if (name == "variant") {
        return QStringLiteral("С --practice: вариантът, цяло число от 1 до 9999: един вариант "
                              "дава едни и същи въпроси в същия ред на всеки компютър (нов всеки "
                              "път, ако не е даден).");
    }
    if (name == "export-map") {
        return QStringLiteral("Записва картата във файл .png или .pdf (лист A4) и завършва, без "
                              "да отваря прозорец.");
    }
    if (name == "pupil") {
        return QStringLiteral("С --practice: името и класът на ученика за резултата, до 60 знака "
                              "(например „Иван Петров 7-а“).");
    }
    if (name == "result") {
        return QStringLiteral("С --practice: записва резултата сам, когато кръгът свърши: във "
                              "файла, ако името завършва на .pdf (последният кръг го заменя), или "
                              "в съществуваща папка, във файл на всеки свършен кръг с името на "
                              "ученика, варианта и часа. Без --pupil програмата пита най-напред "
                              "за името.");
    }
    if (name == "export-table") {
        return QStringLiteral("Записва таблица на моретата (площ, дълбочина, страни, източници) "
                              "във файл .csv за електронна таблица и завършва, без да отваря "
                              "прозорец.");
    }
    if (name == "numbers") {
        return QStringLiteral("С --export-map: контурна карта за изпитване – моретата са "
                              "номерирани, без имената им; ключът (номер и име) е на втори лист "
                              "на PDF или в ивица под картата в картината .png.");
    }
    if (name == "sea") {
        return QStringLiteral("С --export-map: картата на това море, както е в списъка.");
    }
    if (name == "ocean") {
        return QStringLiteral("С --export-map: картата на този океан (%1). С --practice: въпроси "
                              "само за моретата на този океан; може да се дава няколко пъти.")
            .arg(catalogue::oceanCaptionsListed().replace(QStringLiteral(" и "),
                                                          QStringLiteral(" или ")));
    }
    return QStringLiteral("С --export-map и картина .png: размерът ѝ в пиксели, от 300x180 до "
                          "8000x8000 (1200x600, ако не е даден); листът PDF има свой размер.");
}

QString fromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The values of the practice options as given, before they are read: the
// same whether they come from the parser or from the bare command line.
struct PracticeValues {
    std::optional<QString> questions;
    std::optional<QString> kind;
    QStringList oceans;
    std::optional<QString> variant;
    std::optional<QString> pupil;
    std::optional<QString> result;

    [[nodiscard]] bool any() const
    {
        return questions || kind || !oceans.isEmpty() || variant || pupil || result;
    }
};

// The whole number a text gives, from `lowest` to `highest`; digits only,
// blanks round them forgiven.
std::optional<int> wholeNumber(const QString &text, int lowest, int highest)
{
    const QString digits = text.trimmed();
    constexpr qsizetype kMostDigits = 9;
    if (digits.isEmpty() || digits.size() > kMostDigits ||
        !std::ranges::all_of(digits, [](QChar digit) { return digit >= u'0' && digit <= u'9'; })) {
        return std::nullopt;
    }
    const int value = digits.toInt();
    if (value < lowest || value > highest) {
        return std::nullopt;
    }
    return value;
}

QString unknownOcean(const QString &name)
{
    return QStringLiteral("Няма океан „%1“; океаните са %2.")
        .arg(name, catalogue::oceanCaptionsListed());
}

// The round the practice options set, or what is wrong with them.
std::variant<PracticeStart, QString> practiceFrom(const PracticeValues &values)
{
    PracticeStart start;
    if (values.questions) {
        const std::optional<int> questions =
            wholeNumber(*values.questions, 1, practice::kMaxQuestions);
        if (!questions) {
            return QStringLiteral("Броят въпроси „%1“ не е цяло число от 1 до %2.")
                .arg(*values.questions)
                .arg(practice::kMaxQuestions);
        }
        start.setting.questions = *questions;
    }
    if (values.kind) {
        const std::optional<practice::Kind> kind = practice::kindNamed(*values.kind);
        if (!kind) {
            return QStringLiteral("Няма вид въпроси „%1“; видовете са ocean (към кой океан "
                                  "принадлежи морето), map (къде е морето на картата) и mixed "
                                  "(и двата).")
                .arg(*values.kind);
        }
        start.setting.kind = *kind;
    }
    if (!values.oceans.isEmpty()) {
        start.setting.oceans.fill(false);
        for (const QString &name : values.oceans) {
            const std::optional<int> ocean = catalogue::oceanNamed(name);
            if (!ocean) {
                return unknownOcean(name);
            }
            start.setting.oceans.at(static_cast<std::size_t>(*ocean)) = true;
        }
    }
    if (start.setting.kind == practice::Kind::Ocean && practice::oceansChosen(start.setting) == 1) {
        return QStringLiteral("--kind ocean иска поне два океана: с един океан отговорът на "
                              "всеки въпрос е един и същ.");
    }
    if (values.variant) {
        start.variant = wholeNumber(*values.variant, 1, practice::kMaxVariant);
        if (!start.variant) {
            return QStringLiteral("Вариантът „%1“ не е цяло число от 1 до %2.")
                .arg(*values.variant)
                .arg(practice::kMaxVariant);
        }
    }
    if (values.pupil) {
        start.handIn.pupil = practice::cleanPupilName(*values.pupil);
        if (start.handIn.pupil.isEmpty()) {
            return QStringLiteral("След --pupil няма име: дайте името и класа на ученика, "
                                  "например „Иван Петров 7-а“.");
        }
    }
    if (values.result) {
        // A folder that is there, where the whole class writes; else a file
        // of its own, in a folder that is there.
        const QFileInfo result(*values.result);
        const bool folder = result.isDir();
        if (!folder && result.suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) != 0) {
            return QStringLiteral("„%1“ не е папка, а името на файла за резултата трябва да "
                                  "завършва на .pdf.")
                .arg(*values.result);
        }
        QString why =
            checkWritableFolder(folder ? result.absoluteFilePath() : result.absolutePath());
        if (!why.isEmpty()) {
            return why;
        }
        start.handIn.result = result.absoluteFilePath();
        start.handIn.resultIsFolder = folder;
    }
    return start;
}

// The program ends at once with that status.
StartOptions endingWith(int status)
{
    StartOptions options;
    options.exitStatus = status;
    return options;
}

// The message of a mistake, with the way to the help.
StartOptions usageError(const QString &message)
{
    writeMessage(Stream::Error, QStringLiteral("%1: %2\nВижте „%1 --help“.\n")
                                    .arg(QCoreApplication::applicationName(), message));
    return endingWith(kUsageError);
}

// "1200x600" (or with × or X) as a size, if it is one.
std::optional<QSize> sizeFrom(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*(\\d{1,5})\\s*[xXх×]\\s*(\\d{1,5})\\s*$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    return QSize(match.captured(1).toInt(), match.captured(2).toInt());
}

} // namespace

QFont programFont()
{
    return {QStringLiteral("Times New Roman"), 12, QFont::Normal, false};
}

void attachParentConsole()
{
#ifdef Q_OS_WIN
    // A GUI program gets no console; started from one, it joins it, and its
    // standard handles then lead to it unless they were redirected.
    AttachConsole(ATTACH_PARENT_PROCESS);
#endif
}

void writeMessage(Stream stream, const QString &text)
{
#ifdef Q_OS_WIN
    HANDLE handle = GetStdHandle(stream == Stream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    DWORD written = 0;
    DWORD mode = 0;
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
        // Started from no console and redirected nowhere: a message box.
        MessageBoxW(nullptr, reinterpret_cast<const wchar_t *>(text.utf16()), L"pelagor",
                    static_cast<UINT>(
                        MB_OK | (stream == Stream::Output ? MB_ICONINFORMATION : MB_ICONERROR)));
    } else if (GetConsoleMode(handle, &mode) != 0) {
        // A console shows UTF-16 right whatever its code page.
        WriteConsoleW(handle, text.utf16(), static_cast<DWORD>(text.size()), &written, nullptr);
    } else {
        // A file or a pipe gets UTF-8.
        const QByteArray bytes = text.toUtf8();
        WriteFile(handle, bytes.constData(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    }
#else
    const QByteArray bytes = text.toUtf8();
    std::FILE *file = stream == Stream::Output ? stdout : stderr;
    static_cast<void>(
        std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), file));
    static_cast<void>(std::fflush(file));
#endif
}

bool answersWithoutWindow(int argc, const char *const *argv)
{
    const std::span arguments(argv, static_cast<std::size_t>(argc));
    bool practising = false;
    PracticeValues values;
    for (std::size_t n = 1; n < arguments.size(); ++n) {
        const std::string_view argument(arguments[n]);
        if (argument.size() < 2 || argument.front() != '-' || argument == "--") {
            return true;
        }
        const bool twoDashes = argument.starts_with("--");
        std::string_view name = argument.substr(twoDashes ? 2 : 1);
        const std::size_t equals = name.find('=');
        const bool joined = equals != std::string_view::npos;
        name = name.substr(0, equals);
        const ProgramOption *known = twoDashes ? programOption(name) : nullptr;
        if (known != nullptr && !known->window) {
            return true;
        }
        if (known != nullptr && known->value.empty()) {
            if (joined) {
                return true;
            }
            practising = practising || name == "practice";
        } else if (known != nullptr) {
            // Its value, joined or the next argument, read as the parser will.
            if (!joined && n + 1 == arguments.size()) {
                return true;
            }
            const QString value = QString::fromLocal8Bit(
                joined ? argument.substr(argument.find('=') + 1) : arguments[++n]);
            if (name == "questions") {
                values.questions = value;
            } else if (name == "pupil") {
                values.pupil = value;
            } else if (name == "result") {
                values.result = value;
            } else if (name == "kind") {
                values.kind = value;
            } else if (name == "ocean") {
                values.oceans << value;
            } else {
                values.variant = value;
            }
        } else if (isOneOf(name, kQtOptionsWithValue)) {
            n += joined ? 0 : 1;
        } else if (!isOneOf(name, kQtFlags)) {
            return true;
        }
    }
    // Practice options without --practice, or a value it cannot take, are
    // mistakes, which readCommandLine() reports.
    if (values.any() && !practising) {
        return true;
    }
    return practising && std::holds_alternative<QString>(practiceFrom(values));
}

void prepareApplication(QApplication &app)
{
    QApplication::setApplicationName(QStringLiteral("pelagor"));
    QApplication::setApplicationVersion(QStringLiteral(PELAGOR_VERSION));
    QApplication::setDesktopFileName(QString::fromLatin1(kApplicationId));
    // The program's one font, for whatever it shows: loading the desktop's
    // default font as well would only cost time.
    QApplication::setFont(programFont());

    // Qt's Bulgarian texts travel inside the program, so they are there even
    // where the system's Qt translations are not installed.
    auto *translator = new QTranslator(&app);
    if (translator->load(QStringLiteral(":/i18n/qtbase_bg.qm"))) {
        QApplication::installTranslator(translator);
    } else {
        delete translator;
    }
}

StartOptions readCommandLine(const QApplication & /*app*/)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Пелагор: океани и морета, урок по география на български език."));
    // The help option in the program's own words: Qt's Bulgarian texts lack
    // those of its own help options.
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Показва тази помощ."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    for (const ProgramOption &option : kProgramOptions) {
        parser.addOption(
            QCommandLineOption(fromView(option.name), helpOf(option.name), fromView(option.value)));
    }
    const auto named = [](const char *name) {
        return QCommandLineOption(QString::fromLatin1(name));
    };
    const QCommandLineOption map = named("map");
    const QCommandLineOption practise = named("practice");
    const QCommandLineOption questions = named("questions");
    const QCommandLineOption kind = named("kind");
    const QCommandLineOption variant = named("variant");
    const QCommandLineOption exportMap = named("export-map");
    const QCommandLineOption sea = named("sea");
    const QCommandLineOption ocean = named("ocean");
    const QCommandLineOption size = named("size");
    const QCommandLineOption pupil = named("pupil");
    const QCommandLineOption result = named("result");
    const QCommandLineOption exportTable = named("export-table");
    const QCommandLineOption numbers = named("numbers");

    if (!parser.parse(QCoreApplication::arguments())) {
        // An unknown option quoted as it was typed, dashes and all.
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty()) {
            for (const QString &argument : QCoreApplication::arguments().mid(1)) {
                const QString typed = argument.section(u'=', 0, 0);
                if (typed.startsWith(u'-') &&
                    typed.mid(typed.startsWith(QStringLiteral("--")) ? 2 : 1)
                        .startsWith(unknown.constFirst())) {
                    return usageError(QStringLiteral("Непозната опция „%1“.").arg(typed));
                }
            }
        }
        return usageError(parser.errorText());
    }
    if (!parser.positionalArguments().isEmpty()) {
        return usageError(QStringLiteral("Непознат аргумент „%1“.")
                              .arg(parser.positionalArguments().constFirst()));
    }
    if (parser.isSet(help)) {
        writeMessage(Stream::Output, parser.helpText());
        return endingWith(EXIT_SUCCESS);
    }
    if (parser.isSet(version)) {
        writeMessage(Stream::Output,
                     QStringLiteral("%1 %2\n").arg(QCoreApplication::applicationName(),
                                                   QCoreApplication::applicationVersion()));
        return endingWith(EXIT_SUCCESS);
    }
    if (parser.isSet(exportTable)) {
        for (const QCommandLineOption *given : {&map, &practise, &questions, &kind, &variant,
                                                &exportMap, &sea, &ocean, &size, &numbers}) {
            if (parser.isSet(*given)) {
                return usageError(QStringLiteral("--export-table записва само таблицата и не се "
                                                 "съчетава с --%1.")
                                      .arg(given->names().constFirst()));
            }
        }
        const QString table = parser.value(exportTable);
        const QFileInfo file(table);
        if (file.suffix().toLower() != QStringLiteral("csv")) {
            return usageError(
                QStringLiteral("Името на файла „%1“ трябва да завършва на .csv.").arg(table));
        }
        if (!file.absoluteDir().exists()) {
            return usageError(QStringLiteral("Папката „%1“ не съществува.")
                                  .arg(QDir::toNativeSeparators(file.absolutePath())));
        }
        if (file.isDir()) {
            return usageError(QStringLiteral("„%1“ е папка, а не файл.").arg(table));
        }
        StartOptions written;
        written.exportTable = table;
        return written;
    }
    const bool practising = parser.isSet(practise);
    if (practising && parser.isSet(exportMap)) {
        return usageError(QStringLiteral("--practice започва упражнение в прозорец и не се "
                                         "съчетава с --export-map."));
    }
    if (!practising) {
        for (const QCommandLineOption *given : {&questions, &kind, &variant, &pupil, &result}) {
            if (parser.isSet(*given)) {
                return usageError(QStringLiteral("--%1 се дава само с --practice.")
                                      .arg(given->names().constFirst()));
            }
        }
    }
    if (!parser.isSet(exportMap)) {
        for (const QCommandLineOption *given : {&sea, &size, &numbers}) {
            if (parser.isSet(*given)) {
                return usageError(QStringLiteral("--%1 се дава само с --export-map.")
                                      .arg(given->names().constFirst()));
            }
        }
        if (parser.isSet(ocean) && !practising) {
            return usageError(
                QStringLiteral("--ocean се дава само с --export-map или с --practice."));
        }
        StartOptions window;
        window.map = parser.isSet(map);
        if (practising) {
            PracticeValues values;
            const auto valueOf = [&parser](const QCommandLineOption &option) {
                return parser.isSet(option) ? std::optional(parser.value(option)) : std::nullopt;
            };
            values.questions = valueOf(questions);
            values.kind = valueOf(kind);
            values.oceans = parser.values(ocean);
            values.variant = valueOf(variant);
            values.pupil = valueOf(pupil);
            values.result = valueOf(result);
            std::variant<PracticeStart, QString> read = practiceFrom(values);
            if (const QString *mistake = std::get_if<QString>(&read)) {
                return usageError(*mistake);
            }
            window.practice = std::get<PracticeStart>(read);
        }
        return window;
    }

    // The map to a file.
    if (parser.isSet(map)) {
        return usageError(QStringLiteral("--export-map записва картата без прозорец и не се "
                                         "съчетава с --map."));
    }
    MapExport request;
    request.file = parser.value(exportMap);
    const QFileInfo file(request.file);
    const QString suffix = file.suffix().toLower();
    if (suffix != QStringLiteral("png") && suffix != QStringLiteral("pdf")) {
        return usageError(QStringLiteral("Името на файла „%1“ трябва да завършва на .png "
                                         "(картина) или .pdf (лист A4).")
                              .arg(request.file));
    }
    if (!file.absoluteDir().exists()) {
        return usageError(QStringLiteral("Папката „%1“ не съществува.")
                              .arg(QDir::toNativeSeparators(file.absolutePath())));
    }
    if (file.isDir()) {
        return usageError(QStringLiteral("„%1“ е папка, а не файл.").arg(request.file));
    }
    if (parser.values(sea).size() + parser.values(ocean).size() > 1) {
        return usageError(QStringLiteral("Картата е на едно море или на един океан: дайте "
                                         "--sea или --ocean веднъж, не и двете."));
    }
    if (parser.isSet(size) && mapFileKind(request.file) == MapFileKind::Page) {
        return usageError(QStringLiteral("--size е за картина .png: листът PDF е A4 и картата "
                                         "го запълва."));
    }
    if (parser.isSet(sea)) {
        request.sea = catalogue::seaNamed(parser.value(sea));
        if (!request.sea) {
            return usageError(QStringLiteral("Няма море „%1“; имената са както в списъка на "
                                             "моретата, например „Черно море“.")
                                  .arg(parser.value(sea)));
        }
    }
    if (parser.isSet(ocean)) {
        request.ocean = catalogue::oceanNamed(parser.value(ocean));
        if (!request.ocean) {
            return usageError(unknownOcean(parser.value(ocean)));
        }
    }
    if (parser.isSet(size)) {
        const std::optional<QSize> given = sizeFrom(parser.value(size));
        if (!given || given->width() < kSmallestExport.width() ||
            given->height() < kSmallestExport.height() || given->width() > kLargestExport.width() ||
            given->height() > kLargestExport.height()) {
            return usageError(QStringLiteral("Размерът „%1“ не е от 300x180 до 8000x8000 "
                                             "пиксела (ширина x височина, например 1200x600).")
                                  .arg(parser.value(size)));
        }
        request.size = *given;
    }
    request.numbers = parser.isSet(numbers);
    StartOptions written;
    written.exportMap = request;
    return written;
}

int exportMap(const MapExport &request)
{
    MapScene scene;
    scene.show({.ocean = request.ocean.value_or(-1), .sea = request.sea.value_or(-1)});
    scene.setNumbered(request.numbers);
    const QString error =
        writeMapFile(request.file, scene, programFont(), pictureSize(request.size));
    if (!error.isEmpty()) {
        writeMessage(Stream::Error,
                     QStringLiteral("%1: %2\n").arg(QCoreApplication::applicationName(), error));
        return kUsageError;
    }
    return EXIT_SUCCESS;
}

int exportTable(const QString &file)
{
    const QByteArray table = catalogue::seaTable();
    const QString error =
        writeWhole(file, [&table](QIODevice &out) { return out.write(table) == table.size(); });
    if (!error.isEmpty()) {
        writeMessage(Stream::Error,
                     QStringLiteral("%1: %2\n").arg(QCoreApplication::applicationName(), error));
        return kUsageError;
    }
    return EXIT_SUCCESS;
}

} // namespace pelagor
