#pragma once
// The speech transcript: when the environment variable VELTRA_SPEECH_LOG
// names a file, every text handed to a speech engine, every inline tag and
// every stop is appended to it as one line:
//   <ISO date and time with milliseconds> [<back-end>] <kind>: <text>
// kind is "speak", "tag", "stop" or "note"; line breaks in the text appear as
// "\n" and "\r". Each line is flushed as it is written, so nothing is lost
// when the process ends at once. Thread-safe.
#include <QString>

void TranscribeSpeech(const QString& backend, const QString& kind, const QString& text = QString());
// Closes the file (the next line opens it again).
void CloseSpeechTranscript();
