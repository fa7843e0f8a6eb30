// The toolkit's own texts (GTK's file chooser, for one) in Simplified Chinese.
#pragma once

namespace toolkit {
void useChineseSystemTexts();
}
