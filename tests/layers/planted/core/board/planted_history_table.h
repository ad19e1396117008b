#pragma once
// Not built: a core header, below every room, which any of them may include.
