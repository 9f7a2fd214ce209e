// The one check that every command asks before it changes files, folders, settings or
// the registry: by the security level the change goes ahead, is asked about, or is
// refused. A refusal is silent; the command then does nothing.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace pirune {

class Host;
class TCommand;

struct TSecurityContext {
  std::int32_t& level;        // -1 until decided; the answers "全てはい" / "全ていいえ" change it
  std::string program_folder;  // "母艦のパス": empty means the current folder
  std::string program_file;    // as the command line named it
  Host* host;                  // asks the question; none refuses
};

// Whether the change may go ahead. `paths` are what the command touches (a move or a
// rename passes both ends, and is asked about once), as the command itself resolves
// them, a pattern by what it matches; "*" stands for what is no file (the registry),
// which is never inside the program's folder.
bool CheckSecurity(TSecurityContext context, const std::vector<std::string>& paths, const std::string& question);

// The same for the running command.
bool SecurityAllows(const TCommand& c, const std::vector<std::string>& paths, const std::string& question);

// The level, decided first when it is not yet: for the commands that test it themselves.
std::int32_t SecurityLevel(const TCommand& c);

}  // namespace pirune
