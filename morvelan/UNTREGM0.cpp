#include "UNTREGM0.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "graph.h"

VSBESTAND F;
RECTYPE REC;
SRECTYPE SREC;
std::int32_t RECNR = 0;
std::int32_t AANV = 0;

namespace {

std::string where() {
    char buf[4096];
    if (getcwd(buf, sizeof buf) == nullptr) return "the working directory";
    return buf;
}

std::string fileName() { return std::string(FILENAAM) + " in " + where(); }

[[noreturn]] void openFailed(int err) {
    int code = dk::kAccessDenied;
    if (err == ENOENT) code = dk::kFileNotFound;
    else if (err == ENOTDIR || err == ENAMETOOLONG || err == ELOOP) code = dk::kPathNotFound;
    dk::RunError(code, "cannot open " + fileName() + ": " + std::strerror(err));
}

void notOpen() {
    if (F.fd < 0) dk::RunError(dk::kFileNotOpen, std::string(FILENAAM) + " is not open");
}

std::int32_t wholeRecords() {
    struct stat st {};
    if (fstat(F.fd, &st) != 0)
        dk::RunError(dk::kReadError, "cannot read " + fileName() + ": " + std::strerror(errno));
    const long long n = static_cast<long long>(st.st_size) / RECLEN;
    return n > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(n);
}

}  // namespace

void SLUITVS() {
    if (F.fd >= 0) close(F.fd);
    F.fd = -1;
    F.pos = F.bufFirst = F.bufCount = 0;
}

void OPENVS() {
    SLUITVS();
    // Non-blocking, so that a named pipe of this name cannot hang the program;
    // only a regular file is accepted.
    const int fd = open(std::string(FILENAAM).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) openFailed(errno);
    struct stat st {};
    if (fstat(fd, &st) != 0) {
        const int err = errno;
        close(fd);
        openFailed(err);
    }
    if (!S_ISREG(st.st_mode)) {
        close(fd);
        dk::RunError(dk::kAccessDenied, "cannot open " + fileName() + ": " +
                                            (S_ISDIR(st.st_mode) ? "it is a directory" : "it is not a regular file"));
    }
    F.fd = fd;
    SREC.len = RECLEN;
}

std::int32_t AANTALVS() {
    notOpen();
    return wholeRecords();
}

void ZOEKVS(std::int32_t n) {
    notOpen();
    if (n < 0)
        dk::RunError(dk::kRangeCheck, "cannot position " + std::string(FILENAAM) + " at record " + std::to_string(n));
    F.pos = n;
}

void LEESVS() {
    notOpen();
    if (F.pos < F.bufFirst || F.pos >= F.bufFirst + F.bufCount) {
        const off_t at = static_cast<off_t>(F.pos) * RECLEN;
        ssize_t got;
        do {
            got = pread(F.fd, F.buf, sizeof F.buf, at);
        } while (got < 0 && errno == EINTR);
        if (got < 0) dk::RunError(dk::kReadError, "cannot read " + fileName() + ": " + std::strerror(errno));
        F.bufFirst = F.pos;
        F.bufCount = static_cast<std::int32_t>(got / RECLEN);
        if (F.bufCount == 0)
            dk::RunError(dk::kReadError, "read error in " + fileName() + ": record " + std::to_string(F.pos) +
                                             " lies past the end of the file");
    }
    std::memcpy(REC.DATA, F.buf + static_cast<std::size_t>(F.pos - F.bufFirst) * RECLEN, RECLEN);
    std::memcpy(SREC.s, REC.DATA, RECLEN);
    ++F.pos;
}

bool EINDEVS() {
    notOpen();
    if (F.pos >= F.bufFirst && F.pos < F.bufFirst + F.bufCount) return false;
    return F.pos >= wholeRecords();
}
