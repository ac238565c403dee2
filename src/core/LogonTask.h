// The Task Scheduler definition of the task that starts the program at logon, composed as the XML
// text that "schtasks /create /xml" registers.
#pragma once
#include "core/Portable.h"

// text with the characters XML reserves written as references, for an element's content.
core::String XmlText(const core::String& text);

// Starts program (a full path; quoted here) with arguments half a minute after userId (DOMAIN\name)
// logs on, at the highest run level that user has, with no time limit, on battery as on mains.
core::String LogonTaskDefinition(const core::String& userId, const core::String& program,
                                 const core::String& arguments);
