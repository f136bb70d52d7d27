#include "platform/qt/font_warm_up.h"

#ifdef KESTROVA_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace kestrova {

FontWarmUp::FontWarmUp()
{
#ifdef KESTROVA_FONTCONFIG
    // Safe beside Qt: fontconfig installs its configuration atomically, whichever thread is first.
    m_thread = std::thread([] { FcInit(); });
#endif
}

FontWarmUp::~FontWarmUp()
{
    wait();
}

void FontWarmUp::wait()
{
    if (m_thread.joinable())
        m_thread.join();
}

} // namespace kestrova
