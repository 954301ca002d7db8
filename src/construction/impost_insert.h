#pragma once
// Joints of an inserted bar with the lines it stands on.
namespace kv {

class TCustomImpost;

// Every end of the bar that stands on a line with a profile gets the catalogue's connector of the
// two profiles for its joint type and cut angle; then the bar is measured again. A missing
// combination raises the catalogue error.
void SetImpostVerbinders(TCustomImpost& Bar);

}  // namespace kv
