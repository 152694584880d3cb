// morvelan-sample: writes the synthetic sample observation file MORVELAN.VSs
// into the current folder, so that the program has something to show.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "sample.h"

namespace {

constexpr const char* kName = "MORVELAN.VSs";

void usage(std::FILE* to) {
    std::fprintf(to,
                 "usage: morvelan-sample [--force]\n"
                 "Writes the synthetic sample observation file %s into the current folder:\n"
                 "one record of 101 bytes per day from 1 June 1941 to 31 December 1971.\n"
                 "The file is the same on every run.\n"
                 "  --force   replace an existing %s\n",
                 kName, kName);
}

int fail(const std::string& what) {
    std::fprintf(stderr, "morvelan-sample: %s\n", what.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    bool force = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            usage(stdout);
            return 0;
        }
        if (a == "--force" || a == "-f") {
            force = true;
            continue;
        }
        std::fprintf(stderr, "morvelan-sample: unknown argument \"%s\" (see --help)\n", a.c_str());
        return 2;
    }

    const std::string bytes = SampleObservations();

    // Written under a temporary name and renamed at the end, so that a failed
    // run never leaves half a file under the real name.
    const std::string tmp = std::string(kName) + ".tmp" + std::to_string(getpid());
    const int fd = open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return fail("cannot create " + tmp + ": " + std::strerror(errno));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const int err = n < 0 ? errno : EIO;
            close(fd);
            unlink(tmp.c_str());
            return fail("cannot write " + tmp + ": " + std::strerror(err));
        }
        done += std::size_t(n);
    }
    if (close(fd) != 0) {
        const int err = errno;
        unlink(tmp.c_str());
        return fail("cannot write " + tmp + ": " + std::strerror(err));
    }

    if (force) {
        if (rename(tmp.c_str(), kName) != 0) {
            const int err = errno;
            unlink(tmp.c_str());
            return fail(std::string("cannot replace ") + kName + ": " + std::strerror(err));
        }
    } else {
        // link() fails when the name exists, so an existing file is never touched.
        if (link(tmp.c_str(), kName) != 0) {
            const int err = errno;
            unlink(tmp.c_str());
            if (err == EEXIST)
                return fail(std::string(kName) + " already exists here; use --force to replace it");
            return fail(std::string("cannot create ") + kName + ": " + std::strerror(err));
        }
        unlink(tmp.c_str());
    }
    std::printf("morvelan-sample: wrote %s (%zu records of 101 bytes)\n", kName, bytes.size() / 101);
    return 0;
}
