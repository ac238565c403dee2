// ListingParser lives in the text core; the name stays for the store's callers.
#pragma once
#include "core/ListingParser.h"
