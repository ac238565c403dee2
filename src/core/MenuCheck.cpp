// The boot menu check's rules over parsed objects.
#include "core/MenuCheck.h"

#include <unordered_map>
#include <unordered_set>

#include "core/DeviceSpec.h"
#include "core/Format.h"
#include "core/StoreCommands.h"
#include "core/Strings.h"

namespace {

core::String Folded(const core::String& text) {
  core::String folded = text;
  for (core::Char& unit : folded) unit = core::UpperCaseUnit(unit);
  return folded;
}

bool EndsWithNoCase(const core::String& text, core::StringView suffix) {
  return text.size() >= suffix.size() && core::EqualsNoCase(core::StringView(text).substr(text.size() - suffix.size()), suffix);
}

// A loader of Windows, as its path tells on every language of the tool (the section headings are
// translated, the paths are not).
bool IsWindowsLoader(const BootEntry& object) {
  const core::String path = object.GetPath();
  return EndsWithNoCase(path, T16("\\winload.exe")) || EndsWithNoCase(path, T16("\\winload.efi"));
}

// An ARC path ("multi(0)disk(0)rdisk(0)partition(1)\WINDOWS") is started by ntldr; any other
// line of the menu names its own boot-sector file.
bool IsArcPath(const core::String& path) {
  for (core::StringView prefix : {core::StringView(T16("multi(")), core::StringView(T16("scsi(")),
                                  core::StringView(T16("signature(")), core::StringView(T16("eisa("))}) {
    if (core::StartsWithNoCase(path, prefix)) return true;
  }
  return false;
}

class Checker {
 public:
  Checker(const MenuCheckInput& input, const MachineProbe& probe) : input_(input), probe_(probe) {
    known_.emplace(Folded(input.manager.identifier), nullptr);
    for (const BootEntry& object : input.objects) known_.emplace(Folded(object.identifier), &object);
  }

  std::vector<Finding> Run() {
    const BootEntry& manager = input_.manager;
    // What the menu reaches, in the order the user meets it.
    std::vector<const BootEntry*> reached;
    std::unordered_set<core::String> seen;
    auto reach = [&](const core::String& value, const core::Char* element, bool menuLine) {
      for (const core::String& id : ListedIdentifiers(value)) {
        auto known = known_.find(Folded(id));
        if (known == known_.end()) {
          if (input_.allObjectsKnown)
            Add({FindingKind::kReferenceMissing, FixKind::kDropReference, id, {}, element, manager.identifier, {}});
          continue;
        }
        if (known->second && seen.insert(known->first).second) reached.push_back(known->second);
        if (known->second && menuLine) menuLines_.insert(known->first);
      }
    };
    reach(manager.displayorder.empty() ? Element(manager, T16("displayorder")) : manager.displayorder,
          T16("displayorder"), true);
    reach(manager.toolsdisplayorder.empty() ? Element(manager, T16("toolsdisplayorder")) : manager.toolsdisplayorder,
          T16("toolsdisplayorder"), false);
    reach(manager.defaultId.empty() ? Element(manager, T16("default")) : manager.defaultId, T16("default"), true);
    reach(Element(manager, T16("resumeobject")), T16("resumeobject"), false);
    reach(Element(manager, T16("bootsequence")), T16("bootsequence"), true);

    // A loader's recovery sequence names the recovery system it falls back to; the loaders so named
    // belong to the menu without being on it.
    std::unordered_set<core::String> recovery;
    for (const BootEntry& object : input_.objects) {
      for (const core::String& id : ListedIdentifiers(object.recoverysequence)) {
        if (known_.count(Folded(id)))
          recovery.insert(Folded(id));
        else if (input_.allObjectsKnown)
          Add({FindingKind::kReferenceMissing, FixKind::kDropReference, id, {}, T16("recoverysequence"),
               object.identifier, {}});
      }
    }

    std::unordered_map<core::String, const BootEntry*> started;
    for (const BootEntry* entry : reached) {
      // The tools and the resume object are only checked for being there: they live on the
      // system partition, which Windows mostly gives no letter.
      if (!menuLines_.count(Folded(entry->identifier))) continue;
      if (CheckDevices(*entry)) continue;
      if (entry->device.empty() || entry->GetPath().empty()) continue;
      core::String key = Folded(entry->device) + T16('|') + Folded(entry->GetPath());
      auto first = started.emplace(key, entry);
      if (!first.second)
        Add({FindingKind::kDuplicate, FixKind::kNone, entry->identifier, entry->description, T16("path"), {},
             first.first->second->identifier});
    }

    if (input_.windowsMenu) {
      for (const BootEntry& object : input_.objects) {
        const core::String folded = Folded(object.identifier);
        if (!IsWindowsLoader(object) || seen.count(folded) || recovery.count(folded)) continue;
        // A loader whose disk is gone is not put back on the menu: it is offered for deletion.
        if (CheckDevices(object)) continue;
        Add({FindingKind::kNotOnMenu, FixKind::kAppendToMenu, object.identifier, object.description, {}, {}, {}});
      }
      CheckBootIni();
    }
    return std::move(findings_);
  }

 private:
  static core::String Element(const BootEntry& object, const core::Char* name) {
    auto found = object.elements.find(name);
    return found == object.elements.end() ? core::String() : found->second;
  }

  void Add(Finding finding) { findings_.push_back(std::move(finding)); }

  // The entry's devices and files; true when it cannot start (a finding whose fix deletes it).
  bool CheckDevices(const BootEntry& entry) {
    // One line for an entry whose disk is gone, though both of its devices name it.
    bool dead = CheckVolume(entry, T16("device"), entry.device) || CheckVolume(entry, T16("osdevice"), entry.osdevice);
    if (dead || entry.device.empty()) return dead;

    DeviceSpec spec;
    ParseDevice(entry.device, &spec);
    if (spec.kind == DeviceSpec::kPartition) return CheckFile(entry, T16("path"), spec.volume, entry.GetPath());
    if (spec.kind == DeviceSpec::kVirtualDisk || spec.kind == DeviceSpec::kRamdisk) {
      // The loader's own path lies inside the image, which only a start mounts.
      if (CheckFile(entry, T16("device"), spec.volume, spec.path)) return true;
      if (spec.kind == DeviceSpec::kRamdisk) return CheckSdi(entry, spec.options);
    }
    return false;
  }

  bool CheckVolume(const BootEntry& entry, const core::Char* element, const core::String& device) {
    if (device.empty()) return false;
    if (core::EqualsNoCase(device, T16("unknown"))) {
      Add({FindingKind::kDeviceUnknown, FixKind::kDeleteEntry, entry.identifier, entry.description, element, {}, {}});
      return true;
    }
    DeviceSpec spec;
    ParseDevice(device, &spec);
    if (spec.kind == DeviceSpec::kOther || spec.volume.empty()) return false;
    if (probe_.Volume(spec.volume) != Presence::kMissing) return false;
    Add({FindingKind::kVolumeMissing, FixKind::kDeleteEntry, entry.identifier, entry.description, element, {},
         spec.volume});
    return true;
  }

  bool CheckFile(const BootEntry& entry, const core::Char* element, const core::String& volume,
                 const core::String& path) {
    if (path.empty()) return false;
    const core::String where = volume + path;
    switch (probe_.File(volume, path)) {
      case Presence::kPresent: return false;
      case Presence::kMissing:
        Add({FindingKind::kFileMissing, FixKind::kDeleteEntry, entry.identifier, entry.description, element, {}, where});
        return true;
      case Presence::kCannotCheck:
        // Said of the Windows menu only: the firmware's own entries mostly live on partitions
        // without a letter, healthy as they are.
        if (input_.windowsMenu)
          Add({FindingKind::kFileUnchecked, FixKind::kNone, entry.identifier, entry.description, element, {}, where});
        return false;
    }
    return false;
  }

  bool CheckSdi(const BootEntry& entry, const core::String& options) {
    if (options.empty()) return false;
    const core::String wanted = core::EqualsNoCase(options, kRamdiskOptionsAlias) ? core::String(kRamdiskOptionsGuid) : options;
    auto known = known_.find(Folded(wanted));
    if (known == known_.end()) known = known_.find(Folded(options));
    if (known == known_.end() || !known->second) {
      if (input_.allObjectsKnown)
        Add({FindingKind::kReferenceMissing, FixKind::kNone, options, {}, T16("device"), entry.identifier, {}});
      return false;
    }
    const BootEntry& holder = *known->second;
    DeviceSpec sdi;
    ParseDevice(Element(holder, T16("ramdisksdidevice")), &sdi);
    if (sdi.kind != DeviceSpec::kPartition || sdi.volume.empty()) return false;
    return CheckFile(entry, T16("ramdisksdipath"), sdi.volume, Element(holder, T16("ramdisksdipath")));
  }

  void CheckBootIni() {
    if (!input_.bootIniPresent) return;
    bool defaultFound = input_.bootIniDefault.empty();
    for (const BootIniLine& line : input_.bootIniLines) {
      if (core::EqualsNoCase(line.path, input_.bootIniDefault)) defaultFound = true;
      core::String volume = input_.bootIniDrive;
      core::String file = T16("\\ntldr");
      if (!IsArcPath(line.path)) {
        // "C:\grldr": a boot-sector file of its own.
        if (line.path.size() < 3 || line.path[1] != T16(':')) continue;
        volume = line.path.substr(0, 2);
        file = line.path.substr(2);
      }
      if (probe_.File(volume, file) == Presence::kMissing)
        Add({FindingKind::kBootIniLoaderMissing, FixKind::kNone, line.path, line.value, {}, {}, volume + file});
    }
    if (!defaultFound)
      Add({FindingKind::kBootIniDefaultMissing, FixKind::kNone, input_.bootIniDefault, {}, {}, {}, input_.bootIniDefault});
  }

  const MenuCheckInput& input_;
  const MachineProbe& probe_;
  // Folded identifier -> its object (null for the menu's owner).
  std::unordered_map<core::String, const BootEntry*> known_;
  // Folded identifiers of the entries the user picks from (display order, default, one-time start).
  std::unordered_set<core::String> menuLines_;
  std::vector<Finding> findings_;
};

}  // namespace

std::vector<Finding> CheckMenu(const MenuCheckInput& input, const MachineProbe& probe) {
  return Checker(input, probe).Run();
}

std::vector<core::String> ListedIdentifiers(const core::String& value) {
  std::vector<core::String> identifiers;
  size_t start = 0;
  while (start <= value.size()) {
    size_t end = value.find(T16('\n'), start);
    if (end == core::String::npos) end = value.size();
    core::String id = core::TrimText(value.substr(start, end - start));
    if (!id.empty()) identifiers.push_back(id);
    start = end + 1;
  }
  return identifiers;
}

std::vector<core::String> WithoutIdentifier(const core::String& value, const core::String& identifier) {
  std::vector<core::String> kept;
  for (core::String& id : ListedIdentifiers(value)) {
    if (!core::EqualsNoCase(id, identifier)) kept.push_back(std::move(id));
  }
  return kept;
}

std::vector<PlannedFix> PlanFixes(const std::vector<Finding>& findings, MenuCheckInput input) {
  std::vector<PlannedFix> plan;
  for (FixKind kind : {FixKind::kDropReference, FixKind::kAppendToMenu, FixKind::kDeleteEntry}) {
    for (const Finding& finding : findings) {
      if (finding.fix != kind) continue;
      if (kind == FixKind::kDeleteEntry) {
        plan.push_back({finding, {DeleteEntryArgs(finding.identifier)}});
        continue;
      }
      if (kind == FixKind::kAppendToMenu) {
        plan.push_back({finding, {AppendToMenuArgs(finding.identifier)}});
        continue;
      }
      BootEntry* owner = &input.manager;
      for (BootEntry& object : input.objects) {
        if (core::EqualsNoCase(object.identifier, finding.owner)) owner = &object;
      }
      core::String& value = owner->elements[finding.element];
      const std::vector<core::String> kept = WithoutIdentifier(value, finding.identifier);
      core::String joined;
      for (const core::String& id : kept) joined += (joined.empty() ? T16("") : T16("\n")) + id;
      value = joined;
      if (kept.empty()) {
        plan.push_back({finding, {DeleteElementArgs(finding.owner, finding.element)}});
        continue;
      }
      plan.push_back({finding, {core::Format(T16(" /set %s %s %s"), finding.owner, finding.element,
                                             core::ReplaceAll(joined, T16("\n"), T16(" ")))}});
    }
  }
  return plan;
}
