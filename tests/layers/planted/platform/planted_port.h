#pragma once
// Not built: a platform header, included from above as it may be.
