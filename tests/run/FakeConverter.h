// A stand-in converter instance for the run dialog tests: it records every
// command line, reports one progress step, and ends each Run as scripted,
// holding it until the test releases it when asked to.
#pragma once

#include "ZR_Ct.h"

#include <condition_variable>
#include <mutex>
#include <map>
#include <set>
#include <string>
#include <vector>

struct FakeConverter {
    // Test side; all under the mutex.
    std::set<int> failing;   // Run indices that fail
    std::map<int, double> ends;  // where a done Run ends; else at the source's end
    std::map<int, std::string> damage;   // a done Run's report of damage in its source
    std::map<int, std::string> reasons;  // a failing Run's error; else "failure of run N"
    bool writeOutputs = false;   // a done Run leaves a file at its destination
    bool hold = false;       // each Run waits for Release or Stop
    int stopDelayMs = 0;     // a stopped Run takes this long to return
    // Seen by the test.
    std::vector<std::string> lines;
    int released = 0;
    int stops = 0;
    int pauseToggles = 0;
    int running = -1;  // index of the Run in progress
    bool stop = false;
    std::string lastError;
    std::string lastDamage;

    std::mutex mutex;
    std::condition_variable changed;
    ZRCtProgressCallback callback = nullptr;
    void* context = nullptr;

    void Release();
    int Running();
    // Lets every Run, held now or later, end.
    void ReleaseAll();
    size_t LineCount();
    std::vector<std::string> Lines();

    // Binds AppServices to this converter (and to nothing else).
    void Install();
    static void Uninstall();
};
