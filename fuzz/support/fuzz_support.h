// SPDX-License-Identifier: LicenseRef-Tavelcor
// What every fuzz target shares: one set-up per process (a core application,
// a prompter that closes every box unanswered, an empty site folder in a
// temporary place), the tables back at their start values around each input,
// input files written into the site folder, and a reader of the input's
// leading bytes for targets that take settings from them.
//
// A target is a few lines over the program's own entry point:
//
//     extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
//     {
//         fuzz::Case c;  // tables at their start values, reset again at the end
//         tavelcor::readPointDat(fuzz::writeSiteFile("POINT.DAT", data, size));
//         return 0;
//     }
//
// The tables are reset again when a case ends, so that what a reader took
// from the heap is given back within the case (the fuzzer checks for leaks
// when a case ends with more allocations than releases).
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace fuzz {

// The application object of the process: QtCore alone, or the widgets
// (offscreen) for a target that drives a window.
enum class App { Core, Widgets };

// Sets up the process once (called by Case; harmless to call again). The
// first call decides the application: a target that drives a window calls
// setUpOnce(App::Widgets) from LLVMFuzzerInitialize, before any case.
void setUpOnce(App app = App::Core);

// The site folder of the process, with a trailing "/": tavelcor's
// SiteFolder during a case, and where input files are written.
const QString& siteFolder();

// A fresh folder (ends in "/") for a target that writes files of its own;
// the same on every call.
const QString& programFolder();

// Destroys the windows of the target and then the application when the
// process ends, before Qt's own globals go (exit handlers run in the
// reverse order of their registration): a target that drives a window
// calls it once the window has been created and has drawn, so that the
// globals of the drawing exist already.
void destroyWindowsAtExit();

// Writes bytes as folder + name (siteFolder() when folder is empty),
// replacing the file; returns the path. Removes other files of the site
// folder left from the last case when called first in a case.
QString writeSiteFile(const QString& name, const std::uint8_t* data, std::size_t size,
                      const QString& folder = {});
QString writeSiteFile(const QString& name, QByteArrayView bytes, const QString& folder = {});

// The tables at their start values, SiteFolder the site folder and
// WorkFolder the program folder (Case does this; a target that reads a saved
// file into fresh tables calls it again).
void resetSite();

// Removes the file name from the site folder (nothing when it is missing).
void removeSiteFile(const QString& name);

// Answers of the prompter: closed without a choice (OK, No, Cancel) by
// default; answerYes makes Yes/No boxes answer Yes for the rest of the case.
void answerYes(bool yes);

// The answer of input boxes for the rest of the case (closed without an
// answer by default).
void answerInput(const QString& text);

// The messages shown in the case so far.
int messagesShown();

// One input: the tables at their start values with SiteFolder set (the
// first case resets them, every case resets them at its end, which costs
// what the case touched), the prompter's answers back to default.
class Case {
public:
    Case();
    ~Case();
    Case(const Case&) = delete;
    Case& operator=(const Case&) = delete;
};

// Takes settings from the front of an input: each call takes one byte (0
// once the input is used up); rest() is what is left.
class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : mData(data), mSize(size) {}

    std::uint8_t take();
    // A number 0..count-1 from one byte.
    int choose(int count) { return count <= 0 ? 0 : take() % count; }
    bool flag() { return (take() & 1) != 0; }
    QByteArrayView rest() const;
    // Takes up to n bytes from the front.
    QByteArrayView takeBytes(std::size_t n);

private:
    const std::uint8_t* mData;
    std::size_t mSize;
    std::size_t mPos = 0;
};

// Fails the case (abort, so that the fuzzer keeps the input) with what
// went wrong; for targets that check a property beyond crashes.
[[noreturn]] void fail(const QString& what);

}  // namespace fuzz
