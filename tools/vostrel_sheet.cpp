// vostrel-sheet FILE: reads the first worksheet of one workbook and writes it to standard output
// in the framed form of spreadsheet/SheetTransport.h, or the Thai refusal (exit 3). The programs
// run it (spreadsheet/ReaderProcess.h) so that the workbook library, which damaged files can
// crash or hang, never runs inside them.

#include "spreadsheet/ReaderProcess.h"
#include "spreadsheet/SheetTransport.h"

#include <QFile>
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// A damaged file must not make the library take the workstation's memory, nor leave core files.
void limitResources()
{
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
#if !defined(__SANITIZE_ADDRESS__)
    const rlim_t memory = rlim_t(2) << 30;
    const rlimit space{memory, memory};
    setrlimit(RLIMIT_AS, &space);
#endif
}

} // namespace

int main(int argc, char *argv[])
{
    // Whatever the caller left open (a catalog's socket) is not the reader's to touch.
    close_range(3, ~0U, 0);
    limitResources();
    if (argc != 2) {
        std::fputs("ใช้: vostrel-sheet FILE\n", stderr);
        return spreadsheet::ReaderUsage;
    }
    QFile out;
    if (!out.open(STDOUT_FILENO, QIODevice::WriteOnly))
        return 1;
    const QString path = QFile::decodeName(argv[1]);
    try {
        const auto sheet = spreadsheet::openWorkbook(path);
        if (!spreadsheet::writeSheet(out, *sheet) || !out.flush())
            return 1;
        return spreadsheet::ReaderRead;
    } catch (const spreadsheet::Error &e) {
        spreadsheet::writeRefusal(out, e.message());
        out.flush();
        std::fprintf(stderr, "%s\n", e.what());
        return spreadsheet::ReaderRefused;
    }
}
