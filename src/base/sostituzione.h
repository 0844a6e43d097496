#pragma once
// Replacing a set of files that belong together (the simulator loads the
// three binary files as one scenario): every new file is written and put on
// the device under a provisional name first; only when all are complete do
// they move over the final names, one rename each.

#include <span>

#include "base/disco.h"

namespace scenario {

// One file of a set: its final name and its bytes.
struct FileNuovo {
  Percorso finale;
  Pezzi produci;
};

// Replaces the files as one set. The caller holds the lock of the files'
// directory (Disco::blocca), so that the provisional files left by a run that
// died part-way, which are removed first, belong to no live run.
//
// Any failure leaves every final name as it stood (old file or none), with
// no provisional file left, and is rethrown. The only window in which a set
// can stand incomplete is the run of renames at the end: the earlier files
// move aside first and the new ones in after, so no final name ever holds an
// old file beside a new one; a name may be missing for that instant. Should
// undoing a failed rename fail too, that state is left as it is and reported
// as Guasto::file_binari_incompleti; a later run completes it.
void sostituisci_insieme(Disco& disco, std::span<const FileNuovo> file);

}  // namespace scenario
