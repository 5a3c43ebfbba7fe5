// The test programs' common start: GoogleTest's own flags, and a bare word as a case filter
// ("Win9x" runs every case whose full name holds it), as the scripts pass one.
#pragma once

int RunTests(int argc, char** argv);
