// The batch run's rewrite, made in parts on every core at once and written out in order.
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

#include "engine/layout_check.h"
#include "engine/protocol_encoding.h"
#include "engine/rewrite.h"

namespace cli {

// Receives the output in order, a part at a time: its bytes (each line encoded and followed by
// CR LF) and how many lines they hold. Returns false to stop the run (a failed write).
using PartWriter = std::function<bool(std::string_view bytes, std::size_t lines)>;

// Input bytes per part: small enough that a few parts' output stay in the cache and cost few
// fresh pages, large enough that handing them over and starting the disk on each (a call that
// submits its pages for writing) cost little. At 1 M lines parts of 1 MiB made the run 10 %
// faster than parts of 256 KiB, for 4 MB more memory.
inline constexpr std::size_t PartBytes = 1 << 20;

// The rewrite of `parts` (engine::ProtocolParts of the protocol), each made on a worker thread
// (`workers`; 0: one per core) and handed to `write` on the calling thread in the protocol's
// order: the same bytes as the rewrite of the whole protocol, encoded by `encoding`, but with the
// cores all working and the writing going on meanwhile. At most a few parts' output are held at
// a time. The run stops at the first part that fails, whose failure is the result, or when
// `write` returns false. With no `write`, the parts are only checked, and the result says
// whether the rewrite would succeed.
// With `checks`, each part's tables are also checked (engine::CheckTables) by the worker that
// makes it, just before the rewrite reads the same lines from the cache; `checks` receives what
// the checks of the whole protocol find, in order, however the run ends.
// With `earned` (and `write`), each part's worker notes what its walk awards, and `earned`
// receives the parts' notes in order as they are written: after a run that succeeded, the
// whole protocol's.
engine::Status RewriteInParts(const engine::ProtocolLines &lines,
    const std::vector<engine::GroupSettings> &groups, const engine::ProcessOptions &options,
    const engine::TeamPointsSource &points, const engine::RewriteRun &run,
    const std::vector<engine::ProtocolPart> &parts, const engine::SourceEncoding &encoding,
    const PartWriter &write, engine::TableChecks *checks = nullptr, unsigned workers = 0,
    engine::EarnedQualifications *earned = nullptr);

} // namespace cli
