#pragma once

#include "config/ConfigurationFileRecord.h"
#include "editors/ConfigurationChanges.h"

namespace veld23 {

class EditorSet;
class EqualiserEditor;
class ProcessorConfiguration;
class RealTimeSender;

// The whole configuration at one moment: the record Save would write (without a path in
// its header), 2228 bytes. Undo, redo and the A/B slots keep these.
using ConfigurationSnapshot = ConfigurationRecord;

ConfigurationSnapshot TakeSnapshot(const ProcessorConfiguration& config);

// Puts a snapshot back the way opening its file does (every stored field held to what
// the editors accept, then the editors' own update steps), but only the blocks that
// differ from the configuration now are refreshed: they alone are redesigned, redrawn
// and, in Real Time mode, sent as their edits send them; the other blocks and the
// editors' state (the band being edited, for one) stay as they are. The equaliser shows
// the first band that changed. Equaliser bands drawn stay drawn: a band chosen once is
// not taken out of use again.
//
// Nothing here hides windows, switches Real Time mode off or re-reads measurement files
// unless the measurement import itself differs. Returns what differed.
ConfigurationChanges RestoreSnapshot(ProcessorConfiguration& config, EditorSet& editors,
                                     RealTimeSender& sender, const ConfigurationSnapshot& snapshot);

// Chooses every equaliser band that changed again (redesigned, redrawn, sent), ending on
// the first one: the restore's and the copy's way of showing them.
void ShowChangedBands(EqualiserEditor& editor, const ConfigurationChanges& changes);

} // namespace veld23
