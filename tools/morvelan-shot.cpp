// morvelan-shot: runs the program headless in the current folder with the
// keys given on the command line and writes a PNG of the screen each time
// the program waits for a key.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "headless.h"
#include "keynames.h"
#include "morvelan.h"
#include "pngfile.h"

namespace {

void usage(std::FILE* to) {
    std::fprintf(to,
                 "usage: morvelan-shot [--last] [--scale N] [--prefix P] KEY...\n"
                 "Runs the program headless in the current folder (where it reads MORVELAN.VSs),\n"
                 "feeding it the keys in order, and writes P001.png, P002.png, ... (default\n"
                 "prefix \"shot\"), one picture for every time the program waits for a key.\n"
                 "The run ends when the keys are used up.\n"
                 "  --last      write only the last picture, as P.png\n"
                 "  --scale N   enlarge each pixel to N x N (1 to 8)\n"
                 "  --prefix P  start of the file names; may include a folder\n"
                 "Keys: %.*s.\n"
                 "Exit status: 0 done; 1 the program stopped with a run-time error (the pictures\n"
                 "up to it are written); 2 a wrong command line or a picture that cannot be written.\n",
                 int(dk::KeyNameList().size()), dk::KeyNameList().data());
}

}  // namespace

int main(int argc, char** argv) {
    dk::headless::Run run;
    bool last = false;
    int scale = 1;
    std::string prefix = "shot";
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            usage(stdout);
            return 0;
        } else if (a == "--last") {
            last = true;
        } else if (a == "--scale" || a == "--prefix") {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "morvelan-shot: %s needs a value\n", a.c_str());
                return 2;
            }
            const std::string v = argv[++i];
            if (a == "--prefix") {
                if (v.empty()) {
                    std::fprintf(stderr, "morvelan-shot: --prefix needs a non-empty value\n");
                    return 2;
                }
                prefix = v;
            } else {
                char* end = nullptr;
                const long n = std::strtol(v.c_str(), &end, 10);
                if (end == v.c_str() || *end != '\0' || n < 1 || n > 8) {
                    std::fprintf(stderr, "morvelan-shot: --scale takes a whole number from 1 to 8, not \"%s\"\n",
                                 v.c_str());
                    return 2;
                }
                scale = int(n);
            }
        } else if (a.size() > 2 && a.rfind("--", 0) == 0) {
            std::fprintf(stderr, "morvelan-shot: unknown option %s (see --help)\n", a.c_str());
            return 2;
        } else {
            auto bytes = dk::KeyBytes(a);
            if (!bytes) {
                std::fprintf(stderr, "morvelan-shot: unknown key \"%s\" (see --help)\n", a.c_str());
                return 2;
            }
            run.script.push_back({*bytes});
        }
    }
    run.keepAllFrames = !last;
    dk::headless::Execute(run, MORVELAN);
    int written = 0;
    for (std::size_t i = 0; i < run.frames.size(); ++i) {
        char num[16];
        std::snprintf(num, sizeof num, "%03zu", i + 1);
        const std::string path = last ? prefix + ".png" : prefix + num + ".png";
        std::string error;
        if (!dk::WritePng(path, run.frames[i]->data(), scale, error)) {
            std::fprintf(stderr, "morvelan-shot: cannot write %s\n", error.c_str());
            return 2;
        }
        ++written;
    }
    std::fprintf(stderr, "morvelan-shot: %d picture%s written", written, written == 1 ? "" : "s");
    if (run.status != 0) std::fprintf(stderr, "; the program stopped with run-time error %d", run.status);
    std::fprintf(stderr, "\n");
    return run.status == 0 ? 0 : 1;
}
