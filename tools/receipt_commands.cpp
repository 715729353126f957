#include "receipt_commands.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>

#include "certificate_command.h"
#include "command_line.h"
#include "json/JsonReader.h"
#include "link/StateFromJson.h"
#include "printing/EscPosReader.h"
#include "printing/PrinterRaster.h"
#include "printing/ReceiptChunks.h"

#ifdef VELMORA_TOOL_PNG
#include <QBuffer>
#include <QImage>
#ifdef __unix__
#include <fcntl.h>
#include <unistd.h>
#endif
#endif

using namespace velmora;
using namespace velmora::printing;

namespace {

// A fault in the input: reported on one line, exit status 1.
struct InputError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A fault in the arguments themselves: exit status 2.
struct UsageError : InputError {
    using InputError::InputError;
};

// Inputs are small (a state, texts, pictures of a receipt); anything past this is no input
// of ours, and reading stops there instead of filling the memory.
constexpr size_t kMaxInputBytes = 64 * 1024 * 1024;

std::string readFile(const std::string& path) {
    InputBytes input = readInputFile(path, kMaxInputBytes);
    if (input.problem) throw InputError(*input.problem);
    if (input.bytes.size() > kMaxInputBytes) throw InputError(path + " is too large");
    return std::move(input.bytes);
}

// Every byte on disk or an error: the buffer's last write happens at close, and a full
// disk only shows there.
void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream file(std::filesystem::u8path(path), std::ios::binary | std::ios::trunc);
    if (file) file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (file) file.close();
    if (!file) throw InputError("cannot write " + path);
}

bool endsWith(const std::string& text, const char* suffix) {
    const size_t n = std::strlen(suffix);
    return text.size() >= n && text.compare(text.size() - n, n, suffix) == 0;
}

int fail(const std::string& message) {
    std::fprintf(stderr, "velmora-tool: %s\n", message.c_str());
    return 1;
}

// "2026-12-10T14:05:09", optionally with ".450" milliseconds.
ClockReading parseClock(const std::string& text) {
    const bool withMilliseconds = text.size() == 23;
    const char* shape = withMilliseconds ? "dddd-dd-ddTdd:dd:dd.ddd" : "dddd-dd-ddTdd:dd:dd";
    bool ok = text.size() == std::strlen(shape);
    for (size_t i = 0; ok && i < text.size(); ++i)
        ok = shape[i] == 'd' ? (text[i] >= '0' && text[i] <= '9') : text[i] == shape[i];
    if (!ok) throw InputError("--clock takes a local time like 2026-12-10T14:05:09");
    auto field = [&text](size_t at, size_t length) { return std::stoi(text.substr(at, length)); };
    ClockReading clock{field(0, 4),
                       field(5, 2),
                       field(8, 2),
                       field(11, 2),
                       field(14, 2),
                       field(17, 2),
                       withMilliseconds ? field(20, 3) : 0};
    if (!isValidReading(clock)) throw InputError("--clock is not a real date and time: " + text);
    return clock;
}

ChargerState parseState(const std::string& json) {
    std::string error;
    const std::optional<ChargerState> state = stateFromJson(json, &error);
    if (!state) throw InputError("state: " + error);
    return *state;
}

// {"profileName": ..., "variety": ..., "type": ..., "capacity": ...}, all strings.
ProfileTexts parseTexts(const std::string& json) {
    std::string error;
    const std::optional<JsonValue> document = parseJson(json, &error);
    if (!document) throw InputError("texts: not JSON: " + error);
    if (document->kind != JsonValue::Kind::Object) throw InputError("texts: expected an object");
    const std::map<std::string, std::string ProfileTexts::*> fields{
        {"profileName", &ProfileTexts::profileName},
        {"variety", &ProfileTexts::variety},
        {"type", &ProfileTexts::type},
        {"capacity", &ProfileTexts::capacity}};
    ProfileTexts texts;
    for (const auto& [name, value] : document->members) {
        const auto field = fields.find(name);
        if (field == fields.end()) throw InputError("texts: unknown field " + name);
        if (value.kind != JsonValue::Kind::String)
            throw InputError("texts: " + name + ": expected a string");
        texts.*(field->second) = value.text;
    }
    return texts;
}

std::string lowerHex(const std::string& bytes) {
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(2 * bytes.size());
    for (unsigned char c : bytes) {
        hex += kDigits[c >> 4];
        hex += kDigits[c & 15];
    }
    return hex;
}

}  // namespace

int receiptCommand(int argc, char** argv) {
    try {
        if (argc < 1 || (std::strcmp(argv[0], "charge") != 0 && std::strcmp(argv[0], "test") != 0))
            throw UsageError("receipt takes charge or test first");
        const bool charge = std::strcmp(argv[0], "charge") == 0;
        std::map<std::string, std::string> options{{"--decimal", "."},
                                                   {"--date-sep", "/"},
                                                   {"--time-format", "hh:mm:ss"},
                                                   {"--am", "AM"},
                                                   {"--pm", "PM"}};
        const char* const valued[] = {
            "--state", "--texts", "--clock", "--decimal",        "--date-sep",      "--time-format",
            "--am",    "--pm",    "--logo",  "--voltage-raster", "--current-raster"};
        bool chunksAsHex = false;
        for (int i = 1; i < argc; ++i) {
            const std::string option = argv[i];
            if (option == "--chunks") {
                chunksAsHex = true;
                continue;
            }
            bool known = false;
            for (const char* name : valued) known = known || option == name;
            for (const char* name : kCertificateReceiptOptions) known = known || option == name;
            if (!known) throw UsageError("unknown option " + option);
            if (i + 1 >= argc) throw UsageError(option + " needs a value");
            options[option] = argv[++i];
        }
        for (const char* required : {"--state", "--texts", "--clock"})
            if (!options.count(required)) throw InputError(std::string(required) + " is missing");
        if (!charge && (options.count("--voltage-raster") || options.count("--current-raster")))
            throw InputError("the test receipt has no charts");
        if (options["--decimal"].size() != 1) throw InputError("--decimal takes one character");

        const ChargerState state = parseState(readFile(options["--state"]));
        const ProfileTexts texts = parseTexts(readFile(options["--texts"]));
        const ClockReading clock = parseClock(options["--clock"]);
        ReceiptLocale locale;
        locale.number.decimalSeparator = options["--decimal"][0];
        locale.time.dateSeparator = options["--date-sep"];
        locale.time.longTimeFormat = options["--time-format"];
        locale.time.amText = options["--am"];
        locale.time.pmText = options["--pm"];
        auto raster = [&options](const char* option) {
            return options.count(option) ? readFile(options[option]) : std::string();
        };
        std::vector<std::string> chunks =
            charge ? chargeReceiptChunks(
                         state, texts, clock, locale,
                         {raster("--logo"), raster("--voltage-raster"), raster("--current-raster")})
                   : testReceiptChunks(state, texts, clock, locale, raster("--logo"));
        const std::string noCertificate =
            appendCertificate(chunks, charge, state, texts, clock, options);
        for (const std::string& chunk : chunks) {
            if (chunksAsHex)
                std::printf("%s\n", lowerHex(chunk).c_str());
            else
                std::fwrite(chunk.data(), 1, chunk.size(), stdout);
        }
        if (!noCertificate.empty())
            return fail("receipt without its certificate: " + noCertificate);
        return 0;
    } catch (const UsageError& error) {
        return refuseArguments("velmora-tool", error.what());
    } catch (const std::exception& error) {
        return fail(error.what());
    }
}

#ifdef VELMORA_TOOL_PNG
// Sends what is written to the error stream nowhere while it lives.
class QuietErrorStream {
public:
    QuietErrorStream() {
#ifdef __unix__
        std::fflush(stderr);
        m_saved = dup(STDERR_FILENO);
        const int nowhere = open("/dev/null", O_WRONLY);
        if (nowhere >= 0) {
            dup2(nowhere, STDERR_FILENO);
            close(nowhere);
        }
#endif
    }
    ~QuietErrorStream() {
#ifdef __unix__
        if (m_saved >= 0) {
            dup2(m_saved, STDERR_FILENO);
            close(m_saved);
        }
#endif
    }
    QuietErrorStream(const QuietErrorStream&) = delete;
    QuietErrorStream& operator=(const QuietErrorStream&) = delete;

private:
    [[maybe_unused]] int m_saved = -1;
};
#endif

int rasterCommand(int argc, [[maybe_unused]] char** argv) {
    try {
        if (argc != 2) throw UsageError("raster takes IN.png OUT.bin");
#ifdef VELMORA_TOOL_PNG
        // The image readers tell their troubles on their own (Qt's warnings, and libpng's
        // "CRC error" straight to the error stream); the command says in one line that the
        // picture cannot be read.
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        if (const auto problem = inputProblem(argv[0]))
            throw InputError("cannot read the picture: " + *problem);
        QImage picture;
        bool loaded = false;
        {
            const QuietErrorStream quiet;
            loaded = picture.load(QString::fromLocal8Bit(argv[0]));
        }
        if (!loaded) throw InputError(std::string("cannot read the picture ") + argv[0]);
        if (picture.width() != kPrintWidth)
            throw InputError("the picture is " + std::to_string(picture.width()) +
                             " pixels wide; the printer takes " + std::to_string(kPrintWidth));
        picture = picture.convertToFormat(QImage::Format_ARGB32);
        const DotGrid dots = readDots({picture.width(), picture.height(),
                                       reinterpret_cast<const std::uint32_t*>(picture.constBits()),
                                       static_cast<std::ptrdiff_t>(picture.bytesPerLine() / 4)});
        const std::string raster = packBands(dots);
        writeFile(argv[1], raster);
        std::printf("{\"width\": %d, \"height\": %d, \"bands\": %zu, \"bytes\": %zu}\n", dots.width,
                    dots.height, raster.size() / kBandBytes, raster.size());
        return 0;
#else
        throw InputError("this build reads no pictures (built without Qt)");
#endif
    } catch (const UsageError& error) {
        return refuseArguments("velmora-tool", error.what());
    } catch (const std::exception& error) {
        return fail(error.what());
    }
}

int renderReceiptCommand(int argc, char** argv) {
    try {
        if (argc != 2) throw UsageError("render-receipt takes IN.bin OUT.png");
        const Paper paper = readEscPos(readFile(argv[0]));
        const DotGrid dots = drawPaper(paper);
        const std::string out = argv[1];
        if (endsWith(out, ".pgm")) {
            writeFile(out, toPgm(dots));
        } else {
#ifdef VELMORA_TOOL_PNG
            QImage image(dots.width, dots.height, QImage::Format_Grayscale8);
            for (int y = 0; y < dots.height; ++y) {
                uchar* row = image.scanLine(y);
                for (int x = 0; x < dots.width; ++x) row[x] = dots.black(x, y) ? 0 : 255;
            }
            // Made in memory and written like every other file: a failed write is seen.
            QByteArray png;
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            if (!image.save(&buffer, "PNG")) throw InputError("cannot write " + out);
            writeFile(out, png.toStdString());
#else
            throw InputError("this build writes PGM pictures only (built without Qt)");
#endif
        }
        std::printf("{\"width\": %d, \"height\": %d, \"lines\": %zu, \"cutShort\": %s}\n",
                    dots.width, dots.height, paper.lines.size(), paper.cutShort ? "true" : "false");
        return 0;
    } catch (const UsageError& error) {
        return refuseArguments("velmora-tool", error.what());
    } catch (const std::exception& error) {
        return fail(error.what());
    }
}
