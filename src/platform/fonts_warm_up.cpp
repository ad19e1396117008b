#include "platform/fonts_warm_up.h"

#ifdef PLATINE_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace platine {

FontsWarmUp::FontsWarmUp()
{
#ifdef PLATINE_HAVE_FONTCONFIG
    // FcInit reads the configuration once for the process; Qt's own call
    // then finds it read.
    m_thread = std::thread([] { FcInit(); });
#endif
}

void FontsWarmUp::wait()
{
    if (m_thread.joinable())
        m_thread.join();
}

} // namespace platine
