#pragma once
// Access keys: the underlined letter of a button's caption, pressed with Alt.
// One window's keys are chosen together so that no two are alike.

#include <string>
#include <string_view>
#include <vector>

namespace platine {

// Each caption of `captions` (UTF-8, plain text) with an access key: "&"
// before one ASCII letter or digit of it, a letter of none of the captions
// before it nor of `taken` (the keys the window already uses, such as its
// menus'). The first letter of a word is chosen before the others, in the
// caption's order. A caption without a free letter keeps none; a "&" of the
// text is written "&&", as a caption with an access key shows one.
std::vector<std::string> withAccessKeys(const std::vector<std::string> &captions,
                                        std::string_view taken = {});

// The access key of a caption written with one (lower case), or 0.
char accessKeyOf(std::string_view caption);

// The caption as shown: the access key's "&" left out, "&&" shown as "&".
std::string shownCaption(std::string_view caption);

} // namespace platine
