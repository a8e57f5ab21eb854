// One recognition: picture file → prepared picture → engine → text lines in picture pixels.
#pragma once

#include "Words.h"

namespace textsight {

struct Recognition {
    int result = 0; // 0, or one of the negative TextsightResult values
    std::vector<TextLine> lines;
};

// `libraryFolder` holds textsight.ini and perhaps a bundled engine. Every temporary file it makes
// is removed before it returns.
Recognition RecogniseFile(const std::wstring& bmpPath, const std::wstring& libraryFolder);

} // namespace textsight
