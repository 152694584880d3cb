// The headless backend: the same canvas and key queue without a window.
// Keys come from a script, time from a virtual clock, and a copy of the
// frame is kept every time the program waits for a key.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "graph.h"

namespace dk::headless {

using Frame = std::array<Colour, kWidth * kHeight>;

struct ScriptKey {
    enum class When {
        Waiting,  // arrives when the program waits for a key with an empty queue
        AtPoll,   // arrives at the poll-th call of KeyPressed (counted from 1)
        Ahead,    // arrives together with the key before it: typed ahead
    };
    std::string bytes;
    When when = When::Waiting;
    long poll = 0;
};

struct TimedCall {
    bool sound;  // false: Delay
    int hz;
    int ms;
    long long atMs;  // virtual clock when the call started
};

struct Run {
    // Input.
    std::vector<ScriptKey> script;
    bool keepAllFrames = true;  // false: keep only the latest frame
    bool captureFrames = true;  // false: keep no frames at all (fuzzing)
    // Called at every KeyPressed with its count, for tests that change the
    // world in the middle of a pass (a file truncated while it is read).
    void (*onPoll)(long count) = nullptr;

    // Results.
    std::vector<std::unique_ptr<Frame>> frames;  // one per wait for a key
    std::vector<TimedCall> calls;
    long long clockMs = 0;
    long keyPressedCalls = 0;
    std::string title;
    bool opened = false, closed = false;
    bool scriptEnded = false;  // the run ended because the script was used up
    int status = 0;            // exit status: 0, or the run-time error number
    std::string errorText;
};

// Builds a script of keys that arrive when the program waits, by name
// ("Right", "Enter", "x"); throws std::invalid_argument on an unknown name.
std::vector<ScriptKey> Keys(std::initializer_list<std::string_view> names);

// Runs `body` headless with `run`'s script and fills in the results.
void Execute(Run& run, void (*body)());

// The backend itself, for RunProgram; Execute uses it.
const Backend& TheBackend();

}  // namespace dk::headless
