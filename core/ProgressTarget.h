// The per-file context that the conversion job hands to the converter and gets
// back in each progress callback.
#pragma once

class wxEvtHandler;

// Queues the conversion dialog's grid cell event (EVT_CONVERT_PROGRESS with
// percent, row, column and a ProgressTarget::Status) on target.
using ConvertProgressPoster = void (*)(wxEvtHandler* target, int targetId, int percent, int row,
                                       int column, int status);

struct ProgressTarget {
    // What a posted cell reports besides its percent.
    enum Status { STATUS_PROGRESS = 0, STATUS_STOPPED = 1, STATUS_FAILED = 2 };

    int row = 0;              // the task index
    int column = 2;           // the grid column that shows the percent
    int durationSeconds = 0;  // the task's source duration
    double seconds = 0;       // of the source converted, as last reported
    wxEvtHandler* target = nullptr;
    int targetId = 0;
    ConvertProgressPoster post = nullptr;
};
