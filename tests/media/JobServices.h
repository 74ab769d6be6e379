// Installs player and converter tables for the job tests: the real ZR_Py and
// ZR_Ct, or a scripted converter whose Run blocks until the test lets it end.
#pragma once

#include "ZR_Ct.h"

#include <condition_variable>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace mvtest {

// A converter whose Run reports the scripted seconds, then waits until the
// test releases it or Stop arrives.
struct ScriptedConverter {
    struct Task {
        Task(std::vector<double> s = {}, int r = ZR_CT_DONE, double e = -1, std::string why = {},
             std::string hurt = {})
            : seconds(std::move(s)), result(r), end(e), error(std::move(why)), damage(std::move(hurt))
        {
        }
        std::vector<double> seconds;  // progress reported at once
        int result = ZR_CT_DONE;      // after release
        // Where a done task ends; below 0: the source's end, as a whole
        // conversion reports it.
        double end = -1;
        std::string error;            // GetLastError after a failure
        std::string damage;           // GetSourceDamage after a done task
    };
    std::vector<Task> script;  // by call index; missing entries: done at once

    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::string> lines;  // every Run's command line
    std::string lastError;
    std::string lastDamage;
    int released = 0;                // Runs allowed to end
    bool stop = false;
    int pauseToggles = 0;
    int running = -1;  // index of the Run in progress, -1 none
    ZRCtProgressCallback callback = nullptr;
    void* context = nullptr;

    // Test side.
    void Release(int count = 1);
    bool WaitRunning(int index, int ms = 60000);
    bool WaitLines(size_t count, int ms = 60000);

    static ScriptedConverter* current;
};

// Binds AppServices to the real player and converter.
void InstallRealServices();
// Binds AppServices to the real player and the scripted converter.
void InstallScriptedConverter(ScriptedConverter& converter);
void UninstallServices();

}  // namespace mvtest
