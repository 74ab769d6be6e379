// The format catalog: loading a scrambled catalog file and the queries that
// the program runs over a loaded catalog document.
//
// A catalog's root element holds the groups (categories) in menu order; a
// group holds its profiles. Elements are found by attributes and positions,
// never by name. A group or profile is shown when its "isShow" is a nonzero
// base-10 number ("1" as written by the program), as the profile menus read it.
#pragma once

#include <cstdint>

#include <wx/string.h>
#include <wx/xml/xml.h>

#include "FormatEntry.h"
#include "ProfileRates.h"

// Program folder + "/Plugin/FormatList/" + name.
wxString GetCatalogFilePath(const wxString& name);

// Loads a scrambled XML file through MyInputStream ("UTF-8", no flags)
// without reporting anything. True when the document has a root element.
bool LoadCatalogFile(wxXmlDocument& document, const wxString& path);

// The first element among the children of `parent` (null for null), and the
// next element after `node`: what lies between elements is passed over.
wxXmlNode* FirstElement(const wxXmlNode* parent);
wxXmlNode* NextElement(const wxXmlNode* node);

// The first element child of `parent` whose "id" is `id`; null when none.
const wxXmlNode* FirstChildWithId(const wxXmlNode* parent, const wxString& id);

// True when the element's "isShow" attribute is a nonzero number.
bool IsShownNode(const wxXmlNode* node);

// The first shown profile of a shown group whose "id" equals `id` (or the
// first shown profile at all when `id` is empty) is copied into `entry`.
// False, and `entry` untouched, when there is none.
bool FindProfile(const wxXmlDocument& document, const wxString& id, FormatEntry& entry);

// As FindProfile, but a profile with this id that is hidden (or in a hidden
// group) is found too, after the shown ones: the customiser hides a profile
// from the menus, not from the files it was given to. An empty id finds
// only the first shown profile.
bool FindProfileInUse(const wxXmlDocument& document, const wxString& id, FormatEntry& entry);

// The named attribute of the first shown profile in the first shown group
// that has one; empty when none is shown.
wxString GetFirstShownProfileAttribute(const wxXmlDocument& document, const wxString& name);

// The text after the last "." (all of it without a dot), cut before the
// first ")": "MP4 Video (*.mp4)" gives "mp4".
wxString ExtensionFromLabel(const wxString& text);

// The expected output size of `seconds` of media with the profile `id`, as
// FormatByteSize text; empty when the profile is not found.
wxString EstimateOutputSize(const wxXmlDocument& document, const wxString& id, uint64_t seconds);

// Bytes of `seconds` of media at the summed rates of the parameter text.
double EstimateBytes(const wxString& params, double seconds);

// Audio rate from "-ab <n>k", video rate from "-b <n>k"; 0 when absent.
ProfileRates ParseProfileRates(const wxString& params);

// "h:m:s" into three numbers ("\" escapes a colon); a missing or
// non-numeric part gives 0.
void SplitClockTime(const wxString& text, long& hours, long& minutes, long& seconds);

// Height of the category popup for the catalog file: 28 per root child + 25,
// at most 475; 0 when the file cannot be loaded.
int GetCatalogPopupHeight(const wxString& path = GetCatalogFilePath("format_catalog.bin"));

// Readers of the further catalog files.
// "format|" for every shown child of the root of "supportformat.bin".
wxString ReadShownFormats(const wxString& path = GetCatalogFilePath("supportformat.bin"));
// Loads the catalog file into `document` and returns a new copy (owned by the
// caller) of the profile `profileId` of the first group `groupId`; or null.
wxXmlNode* FindCatalogProfileNode(const wxString& groupId, const wxString& profileId,
                                  wxXmlDocument& document,
                                  const wxString& path = GetCatalogFilePath("format_catalog.bin"));
// "mapValue" of the first child `childId` in a group `groupId` of "mappings.bin".
wxString LookupMappingValue(const wxString& groupId, const wxString& childId,
                            const wxString& path = GetCatalogFilePath("mappings.bin"));
