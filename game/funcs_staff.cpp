// game/funcs_staff.cpp: the query layer's staff: one holder per role at every full club.
#include <algorithm>

#include "engine/fatal.h"
#include "game/funcs.h"

namespace {

constexpr const char* kRoleNames[STAFF_ROLE_COUNT] = {
    "Coach", "CoachGK",   "CoachDF",    "CoachMD", "CoachFW", "Physio",
    "YDO",   "Dietitian", "CoachYouth", "Psycho",  "Faith"};

StaffPost* Post(int32_t club, int32_t role, bool set)
{
    if (role < 0 || role >= STAFF_ROLE_COUNT) FatalError("Staff_Post(): bad staff role %d", role);
    const ClubRef ref =
        set ? Club_RefForSet(club, kRoleNames[role]) : Club_RefForGet(club, kRoleNames[role]);
    return ref.full ? &ref.full->staff[role] : nullptr;
}

}  // namespace

int32_t Staff_GetRating(int32_t club, int32_t role)
{
    const StaffPost* post = Post(club, role, false);
    return post ? post->rating : 0;
}

void Staff_Set(int32_t club, int32_t role, int32_t rating, int32_t wage)
{
    StaffPost* post = Post(club, role, true);
    if (post == nullptr) return;
    post->rating = static_cast<uint8_t>(std::clamp(rating, 0, 99));
    post->wage = post->rating ? std::max(0, wage) : 0;
    if (post->rating == 0) post->contractMonths = 0;
}

int32_t Staff_GetContract(int32_t club, int32_t role)
{
    const StaffPost* post = Post(club, role, false);
    return post ? post->contractMonths : 0;
}

void Staff_SetContract(int32_t club, int32_t role, int32_t months)
{
    if (StaffPost* post = Post(club, role, true))
        post->contractMonths = static_cast<uint8_t>(std::clamp(months, 0, 255));
}

int32_t VTW_GetClubCoach(int32_t club) { return Staff_GetRating(club, STAFF_COACH); }
int32_t VTW_GetClubCoachGK(int32_t club) { return Staff_GetRating(club, STAFF_COACH_GK); }
int32_t VTW_GetClubCoachDF(int32_t club) { return Staff_GetRating(club, STAFF_COACH_DF); }
int32_t VTW_GetClubCoachMD(int32_t club) { return Staff_GetRating(club, STAFF_COACH_MD); }
int32_t VTW_GetClubCoachFW(int32_t club) { return Staff_GetRating(club, STAFF_COACH_FW); }
int32_t VTW_GetClubPhysio(int32_t club) { return Staff_GetRating(club, STAFF_PHYSIO); }
int32_t VTW_GetClubYDO(int32_t club) { return Staff_GetRating(club, STAFF_YDO); }
int32_t VTW_GetClubDietitian(int32_t club) { return Staff_GetRating(club, STAFF_DIETITIAN); }
int32_t VTW_GetClubCoachYouth(int32_t club) { return Staff_GetRating(club, STAFF_COACH_YOUTH); }
int32_t VTW_GetClubPsycho(int32_t club) { return Staff_GetRating(club, STAFF_PSYCHO); }
int32_t VTW_GetClubFaith(int32_t club) { return Staff_GetRating(club, STAFF_FAITH); }

void VTW_SetClubCoach(int32_t club, int32_t rating, int32_t wage)
{
    Staff_Set(club, STAFF_COACH, rating, wage);
}
int32_t VTW_GetClubCoachContract(int32_t club) { return Staff_GetContract(club, STAFF_COACH); }
void VTW_SetClubCoachContract(int32_t club, int32_t months)
{
    Staff_SetContract(club, STAFF_COACH, months);
}
void VTW_SetClubCoachGK(int32_t club, int32_t rating, int32_t wage)
{
    Staff_Set(club, STAFF_COACH_GK, rating, wage);
}
int32_t VTW_GetClubCoachGKContract(int32_t club) { return Staff_GetContract(club, STAFF_COACH_GK); }
void VTW_SetClubCoachGKContract(int32_t club, int32_t months)
{
    Staff_SetContract(club, STAFF_COACH_GK, months);
}
void VTW_SetClubCoachDF(int32_t club, int32_t rating, int32_t wage)
{
    Staff_Set(club, STAFF_COACH_DF, rating, wage);
}
int32_t VTW_GetClubCoachDFContract(int32_t club) { return Staff_GetContract(club, STAFF_COACH_DF); }
void VTW_SetClubCoachDFContract(int32_t club, int32_t months)
{
    Staff_SetContract(club, STAFF_COACH_DF, months);
}
void VTW_SetClubCoachMD(int32_t club, int32_t rating, int32_t wage)
{
    Staff_Set(club, STAFF_COACH_MD, rating, wage);
}
int32_t VTW_GetClubCoachMDContract(int32_t club) { return Staff_GetContract(club, STAFF_COACH_MD); }
void VTW_SetClubCoachMDContract(int32_t club, int32_t months)
{
    Staff_SetContract(club, STAFF_COACH_MD, months);
}
void VTW_SetClubCoachFW(int32_t club, int32_t rating, int32_t wage)
{
    Staff_Set(club, STAFF_COACH_FW, rating, wage);
}
int32_t VTW_GetClubCoachFWContract(int32_t club) { return Staff_GetContract(club, STAFF_COACH_FW); }
void VTW_SetClubCoachFWContract(int32_t club, int32_t months)
{
    Staff_SetContract(club, STAFF_COACH_FW, months);
}
void VTW_SetClubPhysio(int32_t club, int32_t rating, int32_t wage)
{
    Staff_Set(club, STAFF_PHYSIO, rating, wage);
}
int32_t VTW_GetClubPhysioContract(int32_t club) { return Staff_GetContract(club, STAFF_PHYSIO); }
void VTW_SetClubPhysioContract(int32_t club, int32_t months)
{
    Staff_SetContract(club, STAFF_PHYSIO, months);
}
void VTW_SetClubYDO(int32_t club, int32_t rating, int32_t wage)
{
    Staff_Set(club, STAFF_YDO, rating, wage);
}
int32_t VTW_GetClubYDOContract(int32_t club) { return Staff_GetContract(club, STAFF_YDO); }
void VTW_SetClubYDOContract(int32_t club, int32_t months)
{
    Staff_SetContract(club, STAFF_YDO, months);
}
void VTW_SetClubDietitian(int32_t club, int32_t rating, int32_t wage)
{
    Staff_Set(club, STAFF_DIETITIAN, rating, wage);
}
int32_t VTW_GetClubDietitianContract(int32_t club)
{
    return Staff_GetContract(club, STAFF_DIETITIAN);
}
void VTW_SetClubDietitianContract(int32_t club, int32_t months)
{
    Staff_SetContract(club, STAFF_DIETITIAN, months);
}
void VTW_SetClubCoachYouth(int32_t club, int32_t rating, int32_t wage)
{
    Staff_Set(club, STAFF_COACH_YOUTH, rating, wage);
}
int32_t VTW_GetClubCoachYouthContract(int32_t club)
{
    return Staff_GetContract(club, STAFF_COACH_YOUTH);
}
void VTW_SetClubCoachYouthContract(int32_t club, int32_t months)
{
    Staff_SetContract(club, STAFF_COACH_YOUTH, months);
}
void VTW_SetClubPsycho(int32_t club, int32_t rating, int32_t wage)
{
    Staff_Set(club, STAFF_PSYCHO, rating, wage);
}
int32_t VTW_GetClubPsychoContract(int32_t club) { return Staff_GetContract(club, STAFF_PSYCHO); }
void VTW_SetClubPsychoContract(int32_t club, int32_t months)
{
    Staff_SetContract(club, STAFF_PSYCHO, months);
}
void VTW_SetClubFaith(int32_t club, int32_t rating, int32_t wage)
{
    Staff_Set(club, STAFF_FAITH, rating, wage);
}
int32_t VTW_GetClubFaithContract(int32_t club) { return Staff_GetContract(club, STAFF_FAITH); }
void VTW_SetClubFaithContract(int32_t club, int32_t months)
{
    Staff_SetContract(club, STAFF_FAITH, months);
}
