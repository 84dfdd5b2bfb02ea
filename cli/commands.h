// The waktuna-cli commands. Each reads its own options from argv[2..] and
// returns the exit status; usage errors are thrown as cli::UsageError.
#pragma once

namespace cli {

int Times(int argc, char** argv);
int Hijri(int argc, char** argv);
int Gregorian(int argc, char** argv);
int Qibla(int argc, char** argv);
int Language(int argc, char** argv);
int Schedule(int argc, char** argv);
int Tasks(int argc, char** argv);
int Places(int argc, char** argv);
int Agenda(int argc, char** argv);
int Methods(int argc, char** argv);

}  // namespace cli
