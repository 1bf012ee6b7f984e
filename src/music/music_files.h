#pragma once
// The game's music files: Ogg Vorbis streams, plain or behind a 132-byte information header that carries a
// song title and an artist; importing them, playable copies without the header, and the default files.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace gw {

inline constexpr std::size_t kInfoHeaderSize = 132;
inline constexpr std::size_t kInfoFieldSize = 64;
inline constexpr std::size_t kMusicBlockSize = 65536;

// True for a plain or wrapped Ogg file; song and artist are filled from a wrapped file's header.
bool ReadOggInfo(const std::string& path, std::string& song, std::string& artist);

// An Ogg file of the music folder as the library list shows it.
struct TListedMusicFile {
  std::string name;  // the file name with its extension
  std::string song;  // from a wrapped file's header
  std::string artist;
  std::string failure;  // why a file that is there could not be read; empty when it was read
};

// The folder's Ogg files ("*.ogg", letters in any case) in the order Windows lists a folder (by name,
// ignoring ASCII case): what is no regular file or no Ogg stream is left out; a file that cannot be opened
// is listed with the reason. Each file is opened and read once, and the listing gives the type of most
// entries, so a folder of thousands of files is read quickly. A missing folder lists nothing.
std::vector<TListedMusicFile> ListMusicFiles(const std::string& musicFolder);

// Rewrites the header of a wrapped file in place (song and artist of at most 64 bytes each). A read-only
// file is refused.
void WriteOggInfo(const std::string& path, std::string_view song, std::string_view artist);

// Copies the source into the music folder (which ends with a separator), giving a plain Ogg stream an empty
// header; the result is the new file's name. The source must be a regular file, and the target is created
// anew ("The file already exists." when anything of that name is there). A failed import leaves nothing
// behind.
std::string ImportMusicFile(const std::string& source, const std::string& musicFolder);

// The path of the music file of that name, found ignoring ASCII case as the game's own file system finds it
// (the exact name first); empty when there is none.
std::string FindMusicFile(const std::string& musicFolder, const std::string& name);

// The program's play folder under the user's temporary folder.
std::string PlayFolder();

// A copy of the music file without its header in the play folder (made once, then reused); its path.
std::string MakePlayCopy(const std::string& path, const std::string& playFolder = PlayFolder());

// Deletes the play folder's files and the folder; failures are ignored.
void ClearPlayFolder(const std::string& playFolder = PlayFolder());

// The game's own music files; rows 0..9 are the default slot contents.
inline constexpr std::array<std::string_view, 11> kDefaultMusicFiles = {
    "ba.ogg", "", "cy.ogg", "", "go.ogg", "", "creep.ogg", "", "gt.ogg", "", "sp.ogg",
};

// The row 0..10 of a default file (ignoring ASCII case), or -1.
int DefaultMusicIndex(std::string_view fileName);

}  // namespace gw
