// Links every object of one layer library into a program that does nothing, so
// a member defined only in a higher layer fails the build.
int main()
{
    return 0;
}
