// The texts the bcdedit stand-in prints, worded as the real tool prints them.
#pragma once

namespace standin::bcdedit_text {

inline constexpr wchar_t kSuccess[] = L"The operation completed successfully.";
inline constexpr wchar_t kRunHelp[] = L"Run \"bcdedit /?\" for command line assistance.";
inline constexpr wchar_t kParameterIncorrect[] = L"The parameter is incorrect.";
inline constexpr wchar_t kReferenceError[] = L"An error occurred while attempting to reference the specified entry.";
inline constexpr wchar_t kElementUnknown[] =
    L"The element data type specified is not recognized, or does not apply to the specified entry.";
inline constexpr wchar_t kElementNotFound[] = L"Element not found.";
inline constexpr wchar_t kSetFailed[] = L"An error has occurred setting the element data.";
inline constexpr wchar_t kDeleteValueFailed[] = L"An error occurred while attempting to delete the specified data element.";
inline constexpr wchar_t kIntegerInvalid[] = L"The integer data is not valid as specified.";
inline constexpr wchar_t kStoreNotOpened[] = L"The boot configuration data store could not be opened.";
inline constexpr wchar_t kStoreNotCreated[] = L"The boot configuration data store could not be created.";
inline constexpr wchar_t kNoObjects[] = L"There are no matching objects or the store is empty.";
inline constexpr wchar_t kCreateFailed[] = L"An error occurred while attempting to create the specified entry.";
inline constexpr wchar_t kDeleteFailed[] = L"An error occurred while attempting to delete the specified entry.";
inline constexpr wchar_t kWellKnownNeedsForce[] =
    L"The specified entry has a well-known identifier and can be deleted only with the /f option.";
inline constexpr wchar_t kExportFailed[] = L"The export operation has failed.";
inline constexpr wchar_t kImportFailed[] = L"The import operation has failed.";
inline constexpr wchar_t kInvalidSwitch[] = L"Invalid command line switch: ";
inline constexpr wchar_t kStoreWriteFailed[] = L"The boot configuration data store could not be written.";

}  // namespace standin::bcdedit_text
