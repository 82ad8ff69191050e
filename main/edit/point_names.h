// SPDX-License-Identifier: LicenseRef-Tavelcor
// The names proposed for the next observation point.
//
// A name splits into a prefix and its trailing run of half-width digits
// ("0".."9"; full-width digits, letters and blanks end the run). The next
// name keeps the prefix and the run's leading zeros and puts the run's value
// plus one behind them: «P5» «P6», «007» «008», «0099» «0100» (the width is
// kept when the number gains a digit), «A» «A1», «P5 » «P5 1».
//
// The candidate list NameCandidates (shared tables, entries 1..99, ending
// at its first empty entry) keeps one proposal per naming series, so the
// user can go back to a series after working in another. LastCommittedName
// holds the name the attribute commit stored last; it steers exactly one
// proposal.
#pragma once

#include <QString>

namespace tavelcor {

/// The name proposed after `name` (taken as given, blanks included); "" for
/// a blank name. When LastCommittedName is set, has the same prefix and a
/// higher number than `name`, its successor is proposed instead (without
/// leading zeros). LastCommittedName is emptied by every call.
///
/// The number is the digit run's value plus one, as a decimal text cut after
/// its tenth character; runs longer than 15 digits are counted up exactly as
/// decimal texts.
QString NextPointName(const QString& name);

/// Puts the proposal after `name` into NameCandidates: nothing when it is
/// there already or `name` is blank; else into the first entry that holds
/// `name` itself or is empty; in a full list (99 series) into entry 1.
/// Consumes LastCommittedName (through NextPointName).
void AddNameCandidate(const QString& name);

}  // namespace tavelcor
