// SPDX-License-Identifier: GPL-3.0-or-later
// marvello-wmf-reader FILE
//
// Plays a Windows metafile with libwmf into an SVG drawing and writes it on standard output,
// UTF-8 encoded; says why on standard error and exits with 1 when it cannot. It runs as a
// process of its own, with its memory and time bounded, because a damaged metafile can make
// libwmf loop, allocate without end or crash: the program that starts it is never harmed.

#include "common/windows1252.h"

#include <QByteArray>
#include <QRegularExpression>
#include <QString>

#include <cstdio>

#include <sys/resource.h>
#include <unistd.h>

#include <libwmf/api.h>
#include <libwmf/svg.h>

namespace {

constexpr rlim_t MemoryLimitBytes = rlim_t(1) << 30;
constexpr rlim_t CpuSeconds = 10;

int refuse(const char* why) {
    std::fprintf(stderr, "%s\n", why);
    return 1;
}

// Closes the player however the conversion ends.
struct Player {
    wmfAPI* api = nullptr;
    ~Player() {
        if (api)
            wmf_api_destroy(api);
    }
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2)
        return refuse("uso: marvello-wmf-reader FILE.wmf");
    // libwmf prints notes on standard output: the drawing goes out on a copy of it, and what
    // libwmf prints joins the complaints on standard error.
    const int drawingOut = dup(STDOUT_FILENO);
    dup2(STDERR_FILENO, STDOUT_FILENO);
    FILE* out = fdopen(drawingOut, "wb");
    if (!out)
        return refuse("uscita non disponibile");
#if !defined(__SANITIZE_ADDRESS__) // AddressSanitizer reserves far more address space
    const rlimit memory{MemoryLimitBytes, MemoryLimitBytes};
    setrlimit(RLIMIT_AS, &memory);
#endif
    const rlimit cpu{CpuSeconds, CpuSeconds};
    setrlimit(RLIMIT_CPU, &cpu);

    Player player;
    wmfAPI_Options options{};
    options.function = wmf_svg_function;
    const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR;
    if (wmf_api_create(&player.api, flags, &options) != wmf_E_None)
        return refuse("libwmf non disponibile");
    wmfAPI* api = player.api;
    if (wmf_file_open(api, argv[1]) != wmf_E_None)
        return refuse("file non leggibile");
    wmfD_Rect box{};
    if (wmf_scan(api, 0, &box) != wmf_E_None)
        return refuse("metafile non valido");
    unsigned int width = 0, height = 0;
    if (wmf_display_size(api, &width, &height, 96, 96) != wmf_E_None || width == 0 || height == 0 ||
        width > 100000 || height > 100000)
        return refuse("dimensioni del metafile non valide");

    wmf_svg_t* svg = WMF_SVG_GetData(api);
    svg->out = wmf_stream_create(api, nullptr); // in memory
    svg->Description = const_cast<char*>("Marvello");
    svg->bbox = box;
    svg->width = width;
    svg->height = height;
    svg->flags |= WMF_SVG_INLINE_IMAGES;
    if (wmf_play(api, 0, &box) != wmf_E_None)
        return refuse("metafile non valido");
    char* text = nullptr;
    unsigned long length = 0;
    wmf_stream_destroy(api, svg->out, &text, &length);
    if (!text || length == 0)
        return refuse("metafile vuoto");
    // libwmf writes the metafile's text as it is stored, in Windows-1252, and declares no
    // encoding: the drawing is handed on in UTF-8, as an XML reader expects it.
    // (The text belongs to the player, which frees it.)
    QString drawing = windows1252::decode(QByteArray(text, qsizetype(length)));
    // The five bytes Windows-1252 leaves undefined, and control characters, print nothing.
    drawing.removeIf([](QChar c) {
        return (c.unicode() < 0x20 && c != u'\n' && c != u'\r' && c != u'\t') ||
               (c.unicode() >= 0x80 && c.unicode() <= 0x9f);
    });
    // libwmf copies the metafile's text into the drawing as it is: "&" and "<" in it would
    // make no XML.
    static const QRegularExpression texts(QStringLiteral("(<text[^>]*>)(.*?)(</text>)"),
                                          QRegularExpression::DotMatchesEverythingOption);
    QString escaped;
    qsizetype done = 0;
    for (auto it = texts.globalMatch(drawing); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        escaped += drawing.mid(done, match.capturedStart(2) - done);
        escaped += match.captured(2).toHtmlEscaped();
        done = match.capturedEnd(2);
    }
    escaped += drawing.mid(done);
    const QByteArray utf8 = escaped.toUtf8();
    const bool written =
        std::fwrite(utf8.constData(), 1, std::size_t(utf8.size()), out) == std::size_t(utf8.size());
    return written && std::fclose(out) == 0 ? 0 : refuse("scrittura non riuscita");
}
