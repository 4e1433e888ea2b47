#pragma once

// Stopping the offices this program runs, for a program that is being stopped itself.

namespace pw::word {

// From now on every office load in progress or to come ends its office at once, and no new
// office starts; the calls return with an error. For a run that was interrupted.
void abandonOfficeWork();
bool officeWorkAbandoned();

// Kills every office process this program started. Async-signal-safe.
void killAllOffices();

}  // namespace pw::word
